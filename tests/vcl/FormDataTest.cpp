#include <gtest/gtest.h>

#include "vcl/Assets.h"
#include "vcl/ExtCtrls.h"
#include "vcl/FormData.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

using namespace vcl;

void RegisterAssets_vcl_tests();

namespace {

// A control whose constructor gives Count 3 while the declared default for form data is
// 7: form data leave out a Count of 7, and a control read back from them has 3.
class TProbeSwitch : public TGraphicControl {
  VCL_CLASS_NAME(TProbeSwitch)
 public:
  explicit TProbeSwitch(TComponent* Owner) : TGraphicControl(Owner) {}
  int Count() const { return FCount; }
  void SetCount(int Value) { FCount = Value; }

 private:
  int FCount = 3;
};

class TProbeForm : public TForm {
  VCL_CLASS_NAME(TProbeForm)
 public:
  explicit TProbeForm(TComponent* Owner) : TForm(Owner) {}
  std::vector<std::string> Calls;
  void FormCreate(TObject*) { Calls.push_back("FormCreate"); }
  void ExitClick(TObject* Sender) { Calls.push_back("ExitClick:" + static_cast<TComponent*>(Sender)->Name()); }
  void EditChange(TObject*) { Calls.push_back("EditChange"); }
};

struct FormDataFixture : ::testing::Test {
  static void SetUpTestSuite() {
    RegisterAssets_vcl_tests();
    RegisterClass(ClassInfo<TProbeSwitch>(
        "TProbeSwitch", "TGraphicControl",
        {IntProp<TProbeSwitch>("Count", &TProbeSwitch::Count, &TProbeSwitch::SetCount, 7)}));
    TClassInfo form = ClassInfo<TProbeForm>("TProbeForm", "TForm", {}, false);
    form.Methods = {Method<TProbeForm>("FormCreate", &TProbeForm::FormCreate),
                    Method<TProbeForm>("ExitClick", &TProbeForm::ExitClick),
                    Method<TProbeForm>("EditChange", &TProbeForm::EditChange)};
    RegisterClass(form);
  }
  std::unique_ptr<TProbeForm> Read(const std::string& Text) {
    auto form = std::make_unique<TProbeForm>(nullptr);
    ReadFormData(form.get(), Text, "Probe.form");
    return form;
  }
};

TEST_F(FormDataFixture, ReadingBuildsTheTreeWithPropertiesReferencesAndEvents) {
  auto form = std::make_unique<TProbeForm>(nullptr);
  form->LoadFromFormData("Probe.form");
  EXPECT_EQ(form->Calls, (std::vector<std::string>{"FormCreate"}));
  EXPECT_EQ(form->Name(), "ProbeForm");
  EXPECT_EQ(form->Caption(), "Probe \"window\"");
  EXPECT_EQ(form->BoundsRect(), (TRect{10, 20, 410, 320}));

  auto* panel = FindComponentAs<TPanel>(form.get(), "Panel1");
  auto* edit = FindComponentAs<TEdit>(form.get(), "Edit1");
  auto* sw = FindComponentAs<TProbeSwitch>(form.get(), "Switch1");
  auto* label = FindComponentAs<TLabel>(form.get(), "Label1");
  ASSERT_TRUE(panel && edit && sw && label);
  EXPECT_EQ(edit->Parent(), panel);
  EXPECT_EQ(edit->Owner(), form.get());
  EXPECT_FALSE(panel->Visible());
  EXPECT_EQ(panel->BevelOuter(), bvNone);
  EXPECT_EQ(edit->Text(), "200");
  EXPECT_EQ(sw->Count(), 8);
  EXPECT_EQ(sw->Tag(), 5);
  EXPECT_EQ(label->Font()->Height(), -13);
  EXPECT_TRUE(label->Font()->Style().Contains(fsBold));
  EXPECT_EQ(label->Font()->Name(), "MS Sans Serif");  // from the form
  EXPECT_EQ(label->Width(), 80);                      // AutoSize off keeps the size
  EXPECT_EQ(FindComponentAs<TMemo>(form.get(), "Memo1")->Lines()->ToVector(),
            (std::vector<std::string>{"Enter the base address", "", "and the \\ rest"}));
  auto* marker = FindComponentAs<TShape>(form.get(), "Marker");
  EXPECT_EQ(marker->Pen().Color(), clRed);
  EXPECT_EQ(marker->Pen().Width(), 3);
  EXPECT_EQ(marker->Brush().Style(), bsClear);

  ASSERT_NE(form->Menu(), nullptr);
  TMenuItem* exit = FindComponentAs<TMenuItem>(form.get(), "Exit1");
  ASSERT_NE(exit, nullptr);
  EXPECT_EQ(exit->Parent()->Caption(), "&File");
  exit->Click();
  edit->SetText("201");
  EXPECT_EQ(form->Calls, (std::vector<std::string>{"FormCreate", "ExitClick:Exit1", "EditChange"}));
  for (int i = 0; i < form->ComponentCount(); ++i)
    EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csLoading)) << form->Components(i)->Name();
}

TEST_F(FormDataFixture, WritingBackAndReadingAgainGivesTheSameForm) {
  auto first = Read(AssetText("Probe.form"));
  const std::string written = WriteFormData(first.get());
  auto second = Read(written);
  EXPECT_EQ(WriteFormData(second.get()), written);
  EXPECT_EQ(second->ComponentCount(), first->ComponentCount());
  for (int i = 0; i < first->ComponentCount(); ++i) {
    EXPECT_EQ(second->Components(i)->Name(), first->Components(i)->Name());
    EXPECT_EQ(second->Components(i)->ClassName(), first->Components(i)->ClassName());
  }
  // Only values that differ from their declared defaults are written.
  EXPECT_EQ(written.find("Enabled"), std::string::npos);
  EXPECT_EQ(written.find("BevelInner"), std::string::npos);
  EXPECT_NE(written.find("BevelOuter = bvNone"), std::string::npos);
  EXPECT_NE(written.find("OnClick = ExitClick"), std::string::npos);
}

TEST_F(FormDataFixture, ADeclaredDefaultThatDiffersFromTheInitialValueIsLeftOutAndReadsBackAsInitial) {
  auto form = Read("ProbeForm : TProbeForm { S : TProbeSwitch { Count = 7 } T : TProbeSwitch { } }");
  auto* s = FindComponentAs<TProbeSwitch>(form.get(), "S");
  auto* t = FindComponentAs<TProbeSwitch>(form.get(), "T");
  EXPECT_EQ(s->Count(), 7);
  EXPECT_EQ(t->Count(), 3);
  const std::string written = WriteFormData(form.get());
  auto again = Read(written);
  EXPECT_EQ(FindComponentAs<TProbeSwitch>(again.get(), "S")->Count(), 3);  // 7 was not written
  EXPECT_NE(written.find("Count = 3"), std::string::npos);                 // 3 differs from 7
}

struct BadCase {
  const char* Name;
  const char* Text;
  const char* Expected;  // part of the message, after the file name and line
};

void PrintTo(const BadCase& C, std::ostream* Os) { *Os << C.Name; }

class BadFormData : public FormDataFixture, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadFormData, IsAClearErrorNamingTheLine) {
  try {
    Read(GetParam().Text);
    ADD_FAILURE() << "no error";
  } catch (const EFormDataError& e) {
    EXPECT_NE(e.Message().find(GetParam().Expected), std::string::npos) << e.Message();
  }
}

INSTANTIATE_TEST_SUITE_P(
    FormData, BadFormData,
    ::testing::Values(
        BadCase{"UnknownClass", "ProbeForm : TProbeForm {\n  X : TNoSuchThing {}\n}", "Probe.form:2: unknown class 'TNoSuchThing'"},
        BadCase{"UnknownProperty", "ProbeForm : TProbeForm {\n\n  Colour = clRed\n}", "Probe.form:3: unknown property 'Colour'"},
        BadCase{"WrongValueKind", "ProbeForm : TProbeForm {\n  Width = \"wide\"\n}", ":2: property 'Width' expects an integer"},
        BadCase{"UnknownEnumName", "ProbeForm : TProbeForm {\n  WindowState = wsHuge\n}", ":2: 'wsHuge' is not a value"},
        BadCase{"UnknownHandler", "ProbeForm : TProbeForm {\n  OnCreate = NoSuchHandler\n}", ":2: unknown handler 'NoSuchHandler'"},
        BadCase{"UnknownReference", "ProbeForm : TProbeForm {\n  Menu = Missing\n}", ":2: unknown component 'Missing'"},
        BadCase{"ReferenceOfWrongClass", "ProbeForm : TProbeForm {\n  Menu = P\n  P : TPanel {}\n}", ":2: 'P' is not a TMainMenu"},
        BadCase{"DuplicateName", "ProbeForm : TProbeForm {\n  P : TPanel {}\n  p : TPanel {}\n}", ":3: A component named p already exists"},
        BadCase{"MissingBrace", "ProbeForm : TProbeForm {\n  Width = 10\n", ":1: missing '}'"},
        BadCase{"UnterminatedString", "ProbeForm : TProbeForm {\n  Caption = \"Setup\n}", ":2: string without its closing quote"},
        BadCase{"WrongRootClass", "MainForm : TMainWindow {\n}", ":1: the form data describes a TMainWindow"},
        BadCase{"MissingAsset", "ProbeForm : TProbeForm {\n  I : TImage {\n    Picture = asset \"none.jpg\"\n  }\n}", ":3: property 'Picture'"},
        BadCase{"CorruptPicture", "ProbeForm : TProbeForm {\n  I : TImage {\n    Picture = asset \"Broken.jpg\"\n  }\n}", ":3: property 'Picture': JPEG error"},
        BadCase{"ControlInsideAMenu", "ProbeForm : TProbeForm {\n  M : TMainMenu {\n    B : TButton {}\n  }\n}", ":3: a TButton cannot be placed inside a TMainMenu"},
        BadCase{"MenuItemOutsideAMenu", "ProbeForm : TProbeForm {\n  I : TMenuItem {}\n}", ":2: a TMenuItem cannot be placed inside a TProbeForm"},
        BadCase{"TextAfterTheForm", "ProbeForm : TProbeForm {\n}\nextra", ":3: text after the end"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

}  // namespace
