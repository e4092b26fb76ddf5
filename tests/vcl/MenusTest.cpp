#include <gtest/gtest.h>

#include <QAction>

#include "vcl/Forms.h"
#include "vcl/Menus.h"

using namespace vcl;

namespace {

std::vector<std::string> Captions(const TMenuItem* Item) {
  std::vector<std::string> r;
  for (int i = 0; i < Item->Count(); ++i) r.push_back(Item->Items(i)->Caption());
  return r;
}

TMenuItem* NewItem(TComponent* Owner, const std::string& Caption) {
  auto* item = new TMenuItem(Owner);
  item->SetCaption(Caption);
  return item;
}

TEST(Menu, ItemsInsertAtAnIndexAndLeaveWhenFreed) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  form.SetMenu(menu);
  TMenuItem* root = menu->Items();
  root->Add(NewItem(&form, "&File"));
  root->Add(NewItem(&form, "&Help"));
  TMenuItem* settings = NewItem(&form, "&Settings");
  root->Insert(1, settings);
  EXPECT_EQ(Captions(root), (std::vector<std::string>{"&File", "&Settings", "&Help"}));
  EXPECT_THROW(root->Insert(9, NewItem(&form, "x")), EListError);
  EXPECT_THROW(root->Insert(0, settings), EInvalidOperation);

  TMenuItem* sub = NewItem(&form, "&Base Address");
  settings->Add(sub);
  EXPECT_EQ(sub->Parent(), settings);
  delete settings;  // frees its items too
  EXPECT_EQ(Captions(root), (std::vector<std::string>{"&File", "&Help"}));
}

TEST(Menu, ChoosingAnItemClicksItWithTheItemAsSenderAndLeavesTheCheckMarkToTheHandler) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  form.SetMenu(menu);
  TMenuItem* top = NewItem(&form, "&Settings");
  menu->Items()->Add(top);
  TMenuItem* item = NewItem(&form, "&IRQ");
  top->Add(item);
  std::vector<TObject*> senders;
  item->SetOnClick(TNotifyEvent([&](TObject* Sender) { senders.push_back(Sender); }));

  item->Action()->trigger();
  EXPECT_EQ(senders, (std::vector<TObject*>{item}));
  EXPECT_FALSE(item->Checked());
  EXPECT_FALSE(item->Action()->isChecked());

  item->SetChecked(true);
  item->Action()->trigger();
  EXPECT_TRUE(item->Checked());
  EXPECT_TRUE(item->Action()->isChecked());
  EXPECT_EQ(senders.size(), 2u);
}

}  // namespace
