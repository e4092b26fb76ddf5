// Core of the component class library: objects with a class name, components with an
// owner and a name, string lists, events and the library's exception classes.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vcl {

// Declares the class name that ClassName() reports. Components find each other by it.
#define VCL_CLASS_NAME(Name) \
 public:                     \
  std::string ClassName() const override { return #Name; }

class TObject {
 public:
  virtual ~TObject() = default;
  virtual std::string ClassName() const { return "TObject"; }
  // True when ClassName() equals Name, compared without regard to case.
  bool ClassNameIs(const std::string& Name) const;
};

// ---- Exceptions -------------------------------------------------------------------------

class Exception : public std::exception {
 public:
  explicit Exception(std::string Message) : FMessage(std::move(Message)) {}
  const std::string& Message() const { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }
  virtual std::string ClassName() const { return "Exception"; }

 private:
  std::string FMessage;
};

#define VCL_EXCEPTION(Name)                                              \
  class Name : public Exception {                                        \
   public:                                                               \
    using Exception::Exception;                                          \
    std::string ClassName() const override { return #Name; }             \
  };

VCL_EXCEPTION(EConvertError)     // a text that is not a number of the expected form
VCL_EXCEPTION(EOutOfResources)   // the system refused a resource such as a timer
VCL_EXCEPTION(EListError)        // an index outside a list
VCL_EXCEPTION(EComponentError)   // a bad component name
VCL_EXCEPTION(EInvalidGraphic)   // picture data that cannot be decoded
VCL_EXCEPTION(EInvalidOperation) // an operation the object's state does not allow
VCL_EXCEPTION(EFormDataError)    // malformed form data; the message names the line

// ---- Events -----------------------------------------------------------------------------

// An event holds a callable and the object it is called on; it is "set" when the callable
// is present. Events bound from form data also carry the handler's name, so that form data
// can be written back.
template <class Signature>
class TEvent;

template <class R, class... Args>
class TEvent<R(Args...)> {
 public:
  TEvent() = default;
  template <class T, class Method>
  TEvent(T* Object, Method M, std::string MethodName = {})
      : FCode([Object, M](Args... a) -> R { return (Object->*M)(std::forward<Args>(a)...); }),
        FData(Object),
        FMethodName(std::move(MethodName)) {}
  // A free callable, for code and tests.
  template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F, Args...>>>
  TEvent(F Callable) : FCode(std::move(Callable)) {}

  explicit operator bool() const { return static_cast<bool>(FCode); }
  R operator()(Args... a) const { return FCode(std::forward<Args>(a)...); }
  TObject* Data() const { return FData; }
  const std::string& MethodName() const { return FMethodName; }

 private:
  std::function<R(Args...)> FCode;
  TObject* FData = nullptr;
  std::string FMethodName;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

// ---- Sets -------------------------------------------------------------------------------

// A set of up to 32 members of an enumeration, like the library's set types.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Members) {
    for (E m : Members) FBits |= Bit(m);
  }
  static constexpr TSet FromBits(std::uint32_t Bits) {
    TSet s;
    s.FBits = Bits;
    return s;
  }
  constexpr bool Contains(E m) const { return (FBits & Bit(m)) != 0; }
  constexpr TSet& Include(E m) { FBits |= Bit(m); return *this; }
  constexpr TSet& Exclude(E m) { FBits &= ~Bit(m); return *this; }
  constexpr std::uint32_t Bits() const { return FBits; }
  constexpr bool Empty() const { return FBits == 0; }
  friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }

 private:
  static constexpr std::uint32_t Bit(E m) { return 1u << static_cast<unsigned>(m); }
  std::uint32_t FBits = 0;
};

// ---- String lists -----------------------------------------------------------------------

class TStrings : public TObject {
  VCL_CLASS_NAME(TStrings)
 public:
  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S) = 0;
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;

  std::string operator[](int Index) const { return Get(Index); }
  int Add(const std::string& S);
  void Assign(const TStrings& Source);
  void SetStrings(const std::vector<std::string>& Lines);
  std::vector<std::string> ToVector() const;
  int IndexOf(const std::string& S) const;  // exact comparison, -1 when absent
  // The lines joined, each followed by a line break ("\r\n"), as the library's Text.
  std::string Text() const;
  // Replaces the lines by Value split at "\r\n", "\n" or "\r".
  void SetText(const std::string& Value);

  // Batches changes: OnChange fires once at the outermost EndUpdate when anything changed.
  void BeginUpdate();
  void EndUpdate();

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

 protected:
  void Changed();

 private:
  TNotifyEvent FOnChange;
  int FUpdateCount = 0;
  bool FChangedWhileUpdating = false;
};

class TStringList : public TStrings {
  VCL_CLASS_NAME(TStringList)
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> Lines) : FItems(Lines) {}
  int Count() const override { return static_cast<int>(FItems.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;

 private:
  void CheckIndex(int Index, int Limit) const;
  std::vector<std::string> FItems;
};

// ---- Components -------------------------------------------------------------------------

enum TComponentStateFlag { csLoading, csDestroying };
using TComponentState = TSet<TComponentStateFlag>;

// A component has an owner that frees it, a name unique among the owner's components
// (compared without regard to case) and a Tag. Destroying a component destroys every
// component it owns, last created first.
class TComponent : public TObject {
  VCL_CLASS_NAME(TComponent)
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  // Raises EComponentError for a name that is not an identifier or is taken in the owner.
  void SetName(const std::string& Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  TComponent* FindComponent(const std::string& AName) const;
  // Stem followed by the smallest N >= 1 for which this component owns no component of that
  // name: "Settings1", "BaseAddress1".
  std::string UniqueName(const std::string& Stem) const;

  TComponentState ComponentState() const { return FComponentState; }
  void SetLoading(bool Value);
  // Called once form data has been read completely, references included.
  virtual void Loaded();

  // The component that form data nests this one in (parent control, parent menu item).
  // A plain component may only stand directly in its owner.
  virtual void SetParentComponent(TComponent* Parent);
  // Components that form data written for Root nests inside this one, in order.
  virtual std::vector<TComponent*> ChildComponents(const TComponent* Root) const {
    (void)Root;
    return {};
  }
  // True when this component is nested inside another in form data (has a parent).
  virtual bool HasParentComponent() const { return false; }

  // Destroys every owned component now, last first.
  void DestroyComponents();

 protected:
  void SetDestroying() { FComponentState.Include(csDestroying); }

 private:
  void InsertComponent(TComponent* C);
  void RemoveComponent(TComponent* C);

  TComponent* FOwner = nullptr;
  std::string FName;
  int FTag = 0;
  std::vector<TComponent*> FComponents;
  TComponentState FComponentState;
};

// Checked downcast for components found by name: nullptr when absent or of another class.
template <class T>
T* FindComponentAs(const TComponent* Owner, const std::string& Name) {
  return dynamic_cast<T*>(Owner->FindComponent(Name));
}

bool IsValidIdent(const std::string& S);

// Where exceptions escaping event handlers, paints, timers and idle handlers end. The
// application installs its default error report here; until then they go to stderr.
void HandleException(const std::exception& E);
void SetExceptionHandler(std::function<void(const std::exception&)> Handler);

}  // namespace vcl
