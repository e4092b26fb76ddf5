// Main menus: a tree of menu items shown as the menu bar of a form.
#pragma once

#include <string>
#include <vector>

#include "vcl/Classes.h"

class QAction;
class QMenu;
class QWidget;

namespace vcl {

class TMenu;

// A menu item: a caption with "&" accelerators, sub-items, a check mark and a click
// handler that receives the item as Sender.
class TMenuItem : public TComponent {
  VCL_CLASS_NAME(TMenuItem)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return FParent; }
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item) { Insert(Count(), Item); }
  // Raises EListError for an index outside 0..Count and EInvalidOperation for an item
  // that already has a parent.
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);
  // Fires OnClick with this item as Sender.
  virtual void Click();

  void SetParentComponent(TComponent* AParent) override;
  bool HasParentComponent() const override { return FParent != nullptr || FMenu != nullptr; }
  std::vector<TComponent*> ChildComponents(const TComponent* Root) const override;

  // Private to the class library: the Qt objects that show this item.
  QAction* Action();
  void AttachContainer(QWidget* Container);  // the widget that shows this item's sub-items

 private:
  friend class TMenu;
  void SyncAction();
  void InsertAction(int Index);
  void EnsureSubMenu();

  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  TNotifyEvent FOnClick;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  QAction* FAction = nullptr;
  QMenu* FSubMenu = nullptr;
  QWidget* FContainer = nullptr;  // menu bar (root item) or sub-menu showing FItems
};

class TMenu : public TComponent {
  VCL_CLASS_NAME(TMenu)
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  // The root item; its sub-items are the menu's top-level entries.
  TMenuItem* Items() const { return FItems; }
  std::vector<TComponent*> ChildComponents(const TComponent* Root) const override;

 private:
  TMenuItem* FItems;
};

class TMainMenu : public TMenu {
  VCL_CLASS_NAME(TMainMenu)
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
  // Private to the class library: shows the top-level entries in a form's menu bar.
  void AttachToMenuBar(QWidget* MenuBar);
};

}  // namespace vcl
