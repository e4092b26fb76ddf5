#include "vcl/Menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "vcl/qt/Bridge.h"
#include "vcl/qt/QtConvert.h"

namespace vcl {

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  SetDestroying();
  while (!FItems.empty()) delete FItems.back();
  if (FParent) FParent->Remove(this);
  delete FSubMenu;
  delete FAction;
}

void TMenuItem::SetCaption(const std::string& Value) {
  FCaption = Value;
  SyncAction();
}

void TMenuItem::SetChecked(bool Value) {
  FChecked = Value;
  SyncAction();
}

void TMenuItem::SetEnabled(bool Value) {
  FEnabled = Value;
  SyncAction();
}

void TMenuItem::SetVisible(bool Value) {
  FVisible = Value;
  SyncAction();
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("Menu index out of bounds (" + std::to_string(Index) + ")");
  return FItems[static_cast<std::size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item->FParent) throw EInvalidOperation("Menu inserted twice");
  if (Index < 0 || Index > Count())
    throw EListError("Menu index out of bounds (" + std::to_string(Index) + ")");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  if (FAction || FContainer) InsertAction(Index);
}

void TMenuItem::Remove(TMenuItem* Item) {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  if (it == FItems.end()) return;
  FItems.erase(it);
  Item->FParent = nullptr;
  if (FContainer && Item->FAction) FContainer->removeAction(Item->FAction);
}

void TMenuItem::Click() {
  if (FOnClick) FOnClick(this);
}

void TMenuItem::SetParentComponent(TComponent* AParent) {
  if (auto* menu = dynamic_cast<TMenu*>(AParent))
    menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(AParent))
    item->Add(this);
  else
    throw EFormDataError("a TMenuItem cannot be placed inside a " + AParent->ClassName());
}

std::vector<TComponent*> TMenuItem::ChildComponents(const TComponent* Root) const {
  std::vector<TComponent*> r;
  for (TMenuItem* i : FItems)
    if (i->Owner() == Root) r.push_back(i);
  return r;
}

QAction* TMenuItem::Action() {
  if (!FAction) {
    FAction = new QAction();
    QObject::connect(FAction, &QAction::triggered, FAction, [this] {
      qt::Guard([this] {
        // The library does not toggle check marks by itself; handlers decide.
        FAction->setChecked(FChecked);
        Click();
      });
    });
    SyncAction();
    if (!FItems.empty()) EnsureSubMenu();
  }
  return FAction;
}

void TMenuItem::SyncAction() {
  if (!FAction) return;
  FAction->setText(qt::ToQ(FCaption));
  FAction->setCheckable(FChecked);
  FAction->setChecked(FChecked);
  FAction->setEnabled(FEnabled);
  FAction->setVisible(FVisible);
}

void TMenuItem::EnsureSubMenu() {
  if (FSubMenu || FMenu) return;
  FSubMenu = new QMenu();
  FAction->setMenu(FSubMenu);
  FContainer = FSubMenu;
  for (int i = 0; i < Count(); ++i) FSubMenu->addAction(FItems[static_cast<std::size_t>(i)]->Action());
}

void TMenuItem::InsertAction(int Index) {
  if (!FContainer) {
    EnsureSubMenu();  // creates the container and adds every item, this one included
    return;
  }
  QAction* before = Index + 1 < Count() ? FItems[static_cast<std::size_t>(Index) + 1]->Action() : nullptr;
  FContainer->insertAction(before, FItems[static_cast<std::size_t>(Index)]->Action());
}

void TMenuItem::AttachContainer(QWidget* Container) {
  if (FContainer)
    for (TMenuItem* i : FItems)
      if (i->FAction) FContainer->removeAction(i->FAction);
  FContainer = Container;
  if (FContainer)
    for (TMenuItem* i : FItems) FContainer->addAction(i->Action());
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() { SetDestroying(); }

std::vector<TComponent*> TMenu::ChildComponents(const TComponent* Root) const {
  return FItems->ChildComponents(Root);
}

void TMainMenu::AttachToMenuBar(QWidget* MenuBar) { Items()->AttachContainer(MenuBar); }

}  // namespace vcl
