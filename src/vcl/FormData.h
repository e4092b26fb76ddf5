// Form data: a human-readable text that describes a form's component tree, property
// values, texts, pictures and event wiring, with the class registry and published-property
// tables that read and write it.
//
//   # comment
//   MainForm : TMainForm {
//     Caption = "Setup"                  strings; adjacent strings are joined
//     Color = clWhite                    colour names or $00BBGGRR
//     Anchors = [akLeft, akBottom]       sets
//     Lines = ["first line", ""]         string lists
//     Picture = asset "card.jpg"         pictures compiled into the program
//     OnClick = ButtonClick              events by handler name, references by name
//     Button1 : TButton { Left = 8 }     nested components (children, menu items)
//   }
//
// A property is written only when its value differs from its declared default; a
// property without a declared default is always written. The declared default and the
// value a constructor gives may differ.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "vcl/Classes.h"

namespace vcl {

enum class TPropKind { Integer, String, Boolean, Enum, Set, Color, Strings, Reference, Picture, Event };

struct TPropValue {
  std::int64_t Int = 0;            // Integer, Boolean, Enum ordinal, Set bits, Color
  std::string Str;                 // String, Picture asset, Event handler name
  std::vector<std::string> List;   // Strings
  TComponent* Ref = nullptr;       // Reference
  friend bool operator==(const TPropValue&, const TPropValue&) = default;

  static TPropValue OfInt(std::int64_t V) { TPropValue p; p.Int = V; return p; }
  static TPropValue OfStr(std::string V) { TPropValue p; p.Str = std::move(V); return p; }
};

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  std::vector<std::string> Names;  // member names of an Enum or Set, by ordinal
  std::string RefClass;            // Reference: the class the component must be or derive from
  std::function<TPropValue(TComponent*)> Get;
  std::function<void(TComponent*, const TPropValue&)> Set;
  std::function<void(TComponent*, const TNotifyEvent&)> SetEvent;  // Event only
  std::optional<TPropValue> Default;  // none: always written
  std::function<bool(TComponent*)> Stored;  // optional extra condition for writing
};

// A published handler of a form class, bound to a form instance by name.
struct TMethodInfo {
  std::string Name;
  std::function<TNotifyEvent(TComponent* Instance)> Bind;
};

struct TClassInfo {
  std::string Name;
  std::string Parent;  // empty for the root of the hierarchy
  std::function<TComponent*(TComponent* Owner)> Create;  // empty for classes not created by name
  std::vector<TPropInfo> Properties;  // a property named as one of a parent replaces it
  std::vector<TMethodInfo> Methods;
  std::function<bool(const TComponent*)> IsInstance;  // the object is of this class or derives from it
};

// Registers a class (again: replaces it). The class library registers its own classes
// before the first look-up.
void RegisterClass(TClassInfo Info);
const TClassInfo* FindClassInfo(const std::string& Name);  // without regard to case
// Every property of the class, parents' first, replaced where the class redeclares them.
std::vector<const TPropInfo*> ClassProperties(const std::string& ClassName);
const TPropInfo* FindProperty(const std::string& ClassName, const std::string& Property);

// Reads form data into Root (whose class must be the one the data names): creates the
// nested components owned by Root, sets properties, then resolves references and events
// and calls Loaded. Raises EFormDataError naming SourceName and the line.
void ReadFormData(TComponent* Root, const std::string& Text, const std::string& SourceName);
std::string WriteFormData(TComponent* Root);

// ---- Helpers for property tables --------------------------------------------------------

namespace formdata_detail {
inline TPropInfo Make(std::string Name, TPropKind Kind, std::vector<std::string> Names = {}) {
  TPropInfo p;
  p.Name = std::move(Name);
  p.Kind = Kind;
  p.Names = std::move(Names);
  return p;
}

template <class C, class Fn>
auto Call(Fn F, TComponent* Obj) {
  return std::invoke(F, static_cast<C*>(Obj));
}
}  // namespace formdata_detail

template <class C, class G, class S>
TPropInfo IntProp(std::string Name, G Get, S Set, std::optional<std::int64_t> Default) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::Integer);
  p.Get = [Get](TComponent* o) { return TPropValue::OfInt(formdata_detail::Call<C>(Get, o)); };
  p.Set = [Set](TComponent* o, const TPropValue& v) {
    std::invoke(Set, static_cast<C*>(o), static_cast<int>(v.Int));
  };
  if (Default) p.Default = TPropValue::OfInt(*Default);
  return p;
}

template <class C, class G, class S>
TPropInfo BoolProp(std::string Name, G Get, S Set, std::optional<bool> Default) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::Boolean);
  p.Get = [Get](TComponent* o) { return TPropValue::OfInt(formdata_detail::Call<C>(Get, o) ? 1 : 0); };
  p.Set = [Set](TComponent* o, const TPropValue& v) { std::invoke(Set, static_cast<C*>(o), v.Int != 0); };
  if (Default) p.Default = TPropValue::OfInt(*Default ? 1 : 0);
  return p;
}

template <class C, class G, class S>
TPropInfo StrProp(std::string Name, G Get, S Set, std::optional<std::string> Default) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::String);
  p.Get = [Get](TComponent* o) { return TPropValue::OfStr(std::string(formdata_detail::Call<C>(Get, o))); };
  p.Set = [Set](TComponent* o, const TPropValue& v) { std::invoke(Set, static_cast<C*>(o), v.Str); };
  if (Default) p.Default = TPropValue::OfStr(*Default);
  return p;
}

template <class C, class E, class G, class S>
TPropInfo EnumProp(std::string Name, std::vector<std::string> Names, G Get, S Set, std::optional<E> Default) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::Enum, std::move(Names));
  p.Get = [Get](TComponent* o) { return TPropValue::OfInt(static_cast<std::int64_t>(formdata_detail::Call<C>(Get, o))); };
  p.Set = [Set](TComponent* o, const TPropValue& v) { std::invoke(Set, static_cast<C*>(o), static_cast<E>(v.Int)); };
  if (Default) p.Default = TPropValue::OfInt(static_cast<std::int64_t>(*Default));
  return p;
}

template <class C, class E, class G, class S>
TPropInfo SetProp(std::string Name, std::vector<std::string> Names, G Get, S Set, std::optional<TSet<E>> Default) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::Set, std::move(Names));
  p.Get = [Get](TComponent* o) { return TPropValue::OfInt(formdata_detail::Call<C>(Get, o).Bits()); };
  p.Set = [Set](TComponent* o, const TPropValue& v) {
    std::invoke(Set, static_cast<C*>(o), TSet<E>::FromBits(static_cast<std::uint32_t>(v.Int)));
  };
  if (Default) p.Default = TPropValue::OfInt(Default->Bits());
  return p;
}

template <class C, class G, class S>
TPropInfo ColorProp(std::string Name, G Get, S Set, std::optional<std::uint32_t> Default) {
  TPropInfo p = IntProp<C>(std::move(Name), Get, [Set](C* o, int v) {
    std::invoke(Set, o, static_cast<std::uint32_t>(v));
  }, Default ? std::optional<std::int64_t>(*Default) : std::nullopt);
  p.Kind = TPropKind::Color;
  p.Get = [Get](TComponent* o) {
    return TPropValue::OfInt(static_cast<std::uint32_t>(formdata_detail::Call<C>(Get, o)));
  };
  return p;
}

// Get returns the component's string list; setting replaces its lines.
template <class C, class G>
TPropInfo StringsProp(std::string Name, G Get) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::Strings);
  p.Get = [Get](TComponent* o) {
    TPropValue v;
    v.List = formdata_detail::Call<C>(Get, o)->ToVector();
    return v;
  };
  p.Set = [Get](TComponent* o, const TPropValue& v) { formdata_detail::Call<C>(Get, o)->SetStrings(v.List); };
  p.Default = TPropValue{};
  return p;
}

template <class C, class T, class G, class S>
TPropInfo RefProp(std::string Name, std::string RefClass, G Get, S Set) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::Reference);
  p.RefClass = std::move(RefClass);
  p.Get = [Get](TComponent* o) {
    TPropValue v;
    v.Ref = formdata_detail::Call<C>(Get, o);
    return v;
  };
  p.Set = [Set](TComponent* o, const TPropValue& v) {
    std::invoke(Set, static_cast<C*>(o), dynamic_cast<T*>(v.Ref));
  };
  p.Default = TPropValue{};
  return p;
}

// Get returns the component's TPicture; setting loads the named asset into it.
template <class C, class G>
TPropInfo PictureProp(std::string Name, G Get) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::Picture);
  p.Get = [Get](TComponent* o) { return TPropValue::OfStr(formdata_detail::Call<C>(Get, o)->AssetName()); };
  p.Set = [Get](TComponent* o, const TPropValue& v) { formdata_detail::Call<C>(Get, o)->LoadFromAsset(v.Str); };
  p.Default = TPropValue{};
  return p;
}

template <class C, class G, class S>
TPropInfo EventProp(std::string Name, G Get, S Set) {
  TPropInfo p = formdata_detail::Make(std::move(Name), TPropKind::Event);
  p.Get = [Get](TComponent* o) {
    TNotifyEvent e = formdata_detail::Call<C>(Get, o);
    TPropValue v;
    v.Str = e ? e.MethodName() : std::string();
    return v;
  };
  p.SetEvent = [Set](TComponent* o, const TNotifyEvent& e) { std::invoke(Set, static_cast<C*>(o), e); };
  p.Default = TPropValue{};
  return p;
}

// A published handler: Name bound to Method of the form instance.
template <class C>
TMethodInfo Method(std::string Name, void (C::*M)(TObject*)) {
  return {Name, [Name, M](TComponent* Instance) {
            return TNotifyEvent(static_cast<C*>(Instance), M, Name);
          }};
}

// Fills the parts of a class entry that follow from the C++ class.
template <class C>
TClassInfo ClassInfo(std::string Name, std::string Parent, std::vector<TPropInfo> Properties,
                     bool Creatable = true) {
  TClassInfo info;
  info.Name = std::move(Name);
  info.Parent = std::move(Parent);
  info.Properties = std::move(Properties);
  if constexpr (std::is_constructible_v<C, TComponent*>)
    if (Creatable) info.Create = [](TComponent* Owner) -> TComponent* { return new C(Owner); };
  info.IsInstance = [](const TComponent* c) { return dynamic_cast<const C*>(c) != nullptr; };
  return info;
}

}  // namespace vcl
