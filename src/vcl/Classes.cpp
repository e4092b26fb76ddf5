#include "vcl/Classes.h"

#include <algorithm>
#include <cstdio>

#include "vcl/SysUtils.h"

namespace vcl {

bool TObject::ClassNameIs(const std::string& Name) const { return SameText(ClassName(), Name); }

bool IsValidIdent(const std::string& S) {
  auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  if (S.empty() || !letter(S[0])) return false;
  return std::all_of(S.begin() + 1, S.end(),
                     [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

// ---- TStrings ---------------------------------------------------------------------------

int TStrings::Add(const std::string& S) {
  int index = Count();
  Insert(index, S);
  return index;
}

void TStrings::Assign(const TStrings& Source) { SetStrings(Source.ToVector()); }

void TStrings::SetStrings(const std::vector<std::string>& Lines) {
  BeginUpdate();
  Clear();
  for (const auto& line : Lines) Add(line);
  EndUpdate();
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> r;
  for (int i = 0; i < Count(); ++i) r.push_back(Get(i));
  return r;
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < Count(); ++i)
    if (Get(i) == S) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string r;
  for (int i = 0; i < Count(); ++i) r += Get(i) + "\r\n";
  return r;
}

void TStrings::SetText(const std::string& Value) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < Value.size(); ++i) {
    char c = Value[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < Value.size() && Value[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  SetStrings(lines);
}

void TStrings::BeginUpdate() { ++FUpdateCount; }

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
    FChangedWhileUpdating = false;
    if (FOnChange) FOnChange(this);
  }
}

void TStrings::Changed() {
  if (FUpdateCount > 0)
    FChangedWhileUpdating = true;
  else if (FOnChange)
    FOnChange(this);
}

// ---- TStringList ------------------------------------------------------------------------

void TStringList::CheckIndex(int Index, int Limit) const {
  if (Index < 0 || Index > Limit)
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

std::string TStringList::Get(int Index) const {
  CheckIndex(Index, Count() - 1);
  return FItems[static_cast<std::size_t>(Index)];
}

void TStringList::Put(int Index, const std::string& S) {
  CheckIndex(Index, Count() - 1);
  FItems[static_cast<std::size_t>(Index)] = S;
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
  CheckIndex(Index, Count());
  FItems.insert(FItems.begin() + Index, S);
  Changed();
}

void TStringList::Delete(int Index) {
  CheckIndex(Index, Count() - 1);
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

// ---- TComponent -------------------------------------------------------------------------

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  SetDestroying();
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::DestroyComponents() {
  // Each destroyed component unlinks itself, so the list shrinks as we go; components that
  // destroy others on their way out are handled as well.
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::InsertComponent(TComponent* C) {
  FComponents.push_back(C);
  C->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* C) {
  auto it = std::find(FComponents.begin(), FComponents.end(), C);
  if (it != FComponents.end()) FComponents.erase(it);
  C->FOwner = nullptr;
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FComponents[static_cast<std::size_t>(Index)];
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName)) return c;
  return nullptr;
}

void TComponent::SetName(const std::string& Value) {
  if (Value == FName) return;
  if (!Value.empty() && !IsValidIdent(Value))
    throw EComponentError("'" + Value + "' is not a valid component name");
  if (FOwner && !Value.empty()) {
    TComponent* other = FOwner->FindComponent(Value);
    if (other && other != this)
      throw EComponentError("A component named " + Value + " already exists");
  }
  FName = Value;
}

std::string TComponent::UniqueName(const std::string& Stem) const {
  for (int n = 1;; ++n) {
    std::string candidate = Stem + std::to_string(n);
    if (!FindComponent(candidate)) return candidate;
  }
}

void TComponent::SetLoading(bool Value) {
  if (Value)
    FComponentState.Include(csLoading);
  else
    FComponentState.Exclude(csLoading);
}

void TComponent::Loaded() { SetLoading(false); }

void TComponent::SetParentComponent(TComponent* Parent) {
  // A plain component nests only directly in its owner (a menu or a supporter in a form).
  if (Parent == FOwner) return;
  throw EFormDataError("a " + ClassName() + " cannot be placed inside a " + Parent->ClassName());
}

namespace {
std::function<void(const std::exception&)>& ExceptionHandler() {
  static std::function<void(const std::exception&)> handler;
  return handler;
}
}  // namespace

void HandleException(const std::exception& E) {
  if (ExceptionHandler())
    ExceptionHandler()(E);
  else
    std::fprintf(stderr, "%s\n", E.what());
}

void SetExceptionHandler(std::function<void(const std::exception&)> Handler) {
  ExceptionHandler() = std::move(Handler);
}

}  // namespace vcl
