// The cheapest Qt 6 program that does what Settings shows at start: a maximised window with
// a 600 x 313 JPEG photograph in its middle. The start-up benchmark runs it side by side
// with Settings; like Settings it reports the end of the photograph's first paint on
// standard error when VCL_REPORT_FIRST_PAINT is set.
#include <QApplication>
#include <QLabel>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class PhotoLabel : public QLabel {
 protected:
  void paintEvent(QPaintEvent* Event) override {
    QLabel::paintEvent(Event);
    static bool reported = false;
    if (reported || !std::getenv("VCL_REPORT_FIRST_PAINT")) return;
    reported = true;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::fprintf(stderr, "first-paint photo %lld\n",
                 static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
    std::fflush(stderr);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: minimal_qt <picture.jpg>\n");
    return 2;
  }
  PhotoLabel label;
  label.setWindowTitle("Minimal");
  label.setAlignment(Qt::AlignCenter);
  label.setPixmap(QPixmap(QString::fromLocal8Bit(argv[1])));
  label.showMaximized();
  return app.exec();
}
