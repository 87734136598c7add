#include "config_store/scg_layout.h"

#include <map>
#include <type_traits>

namespace config_store {

namespace {

// A key's fields, for a record to store into and for one only read. Each is
// made from one generic function `refs` (auto& record -> its refs), so the two
// cannot name different fields.
struct Access {
  std::function<FieldRefs(TGameConfig&)> field;
  std::function<ConstFieldRefs(const TGameConfig&)> value;
};

template <class Refs>
Access Both(Refs refs) {
  return {refs, refs};
}

// One text: `f` gives the field of a record (auto& record -> auto& text).
template <class F>
Access One(F f) {
  return Both([f](auto& c) {
    FieldRefsOf<std::remove_reference_t<decltype(f(c))>> r;
    r.at[0] = &f(c);
    r.count = 1;
    return r;
  });
}

// The DFLT or USER halves of a binding's three pairs; `slot` gives the binding.
template <class F>
Access Halves(F slot, bool user) {
  return Both([slot, user](auto& c) {
    auto& s = slot(c);
    FieldRefsOf<std::remove_reference_t<decltype((s.GameInput.USER))>> r;
    r.at = {user ? &s.GameInput.USER : &s.GameInput.DFLT, user ? &s.GameCommand.USER : &s.GameCommand.DFLT,
            user ? &s.SendEvent.USER : &s.SendEvent.DFLT};
    r.count = 3;
    return r;
  });
}

class Builder {
 public:
  ScgLayout layout;
  std::string section;

  void Line(const std::string& text) { layout.items.push_back({LayoutItem::Kind::Line, text, 0}); }
  void Empty() { Line(""); }
  void Lines(std::initializer_list<const char*> lines) {
    for (const char* line : lines) Line(line);
  }
  void Section(const std::string& name) {
    section = name;
    Line("[" + name + "]");
  }
  ScgKey& Key(const std::string& name, int step, Access field, const std::string& missing = "",
              KeyKind kind = KeyKind::Plain) {
    ScgKey k;
    k.section = section;
    k.key = name;
    k.missing = missing;
    k.kind = kind;
    k.readStep = step;
    k.field = std::move(field.field);
    k.value = std::move(field.value);
    layout.items.push_back({LayoutItem::Kind::Key, "", static_cast<int>(layout.keys.size())});
    layout.keys.push_back(std::move(k));
    return layout.keys.back();
  }
  // `pair` gives the setting pair of a record (auto& record -> auto& pair).
  template <class F>
  void Pair(const std::string& name, int step, F pair, const std::string& missing = "", KeyKind kind = KeyKind::Plain) {
    Key(name + "_DFLT", step, One([pair](auto& c) -> auto& { return pair(c).DFLT; }), missing, kind);
    Key(name + "_USER", step, One([pair](auto& c) -> auto& { return pair(c).USER; }), missing, kind);
  }
  void Block(ScgBlock b) { layout.items.push_back({LayoutItem::Kind::Block, "", static_cast<int>(b)}); }
  // A flag key, its brace block and the empty line after it.
  void KeyWithBlock(const std::string& name, int step, Access field, const std::string& missing, ScgBlock block) {
    Key(name, step, std::move(field), missing);
    Block(block);
    Empty();
  }
  void Vector(const std::string& key) {
    for (std::size_t i = 0; i < layout.vectors.size(); ++i)
      if (layout.vectors[i].key == key) layout.items.push_back({LayoutItem::Kind::Vector, "", static_cast<int>(i)});
  }
};

#define FIELD(expr) One([](auto& c) -> auto& { return c.expr; })

std::vector<ScgVector> Vectors() {
  const std::string axis = "{ 0/2/1/5/3/4 }", pol = "{ +/+/+/+/+/+ }", sens = "{ 3/3/3/3/3/3/3 }";
  auto gain = [](const std::string& g) {
    return "{ " + g + ", " + g + ", " + g + ", " + g + ", " + g + ", " + g + ", " + g + " }";
  };
  std::vector<ScgVector> v = {
      {"AXIS_MAP_DFLT", axis, "AXIS_MAP_DFLT= length error", VectorType::AxisMap, "DFLT", 0},
      {"AXIS_MAP_USER", axis, "AXIS_MAP_USER= length error", VectorType::AxisMap, "USER", 0},
      // The lock names the polarity keys as the editor always has.
      {"POLARITY_DFLT", pol, "POLARITY_MAP_DFLT= length error", VectorType::Polarity, "DFLT", 0},
      {"POLARITY_USER", pol, "POLARITY_MAP_USER= length error", VectorType::Polarity, "USER", 0},
  };
  const char* levels[3] = {"BEG", "INT", "EXP"};
  const char* gainDefaults[3][2] = {{"045", "050"}, {"055", "045"}, {"045", "045"}};
  for (int l = 0; l < 3; ++l)
    for (int u = 0; u < 2; ++u) {
      std::string key = std::string("GAIN_") + levels[l] + (u ? "_USER" : "_DFLT");
      v.push_back(
          {key, gain(gainDefaults[l][u]), key + "= length error", VectorType::Gain, u ? "USER" : "DFLT", l + 1});
    }
  for (int l = 0; l < 3; ++l)
    for (int u = 0; u < 2; ++u) {
      std::string key = std::string("SENS_") + levels[l] + (u ? "_USER" : "_DFLT");
      v.push_back({key, sens, key + "= length error", VectorType::Sensitivity, u ? "USER" : "DFLT", l + 1});
    }
  return v;
}

ScgLayout BuildLayout() {
  Builder b;
  b.layout.vectors = Vectors();
  b.Line(";");
  b.layout.items.push_back({LayoutItem::Kind::Header, "", 0});
  b.Lines({";", kContactLine.c_str(), ";", ";", ""});

  b.Section("VERSION");
  b.Key("VERSION", 1, FIELD(VERSION));
  b.Key("APPLICATION_NUMBER", 1, FIELD(APPLICATION_NUMBER));
  b.Key("FILE_REVISION_NUMBER", 1, FIELD(FILE_REVISION_NUMBER));
  b.Empty();

  b.Section("IDENTIFICATION");
  b.Key("APPLICATION_NAME", 2, FIELD(APPLICATION_NAME), "", KeyKind::Quoted);
  b.Key("OWNER", 3, FIELD(OWNER), "TOLVANE");
  b.Key("PLATFORM", 4, FIELD(PLATFORM), "WINDOWS");
  b.Key("LEVEL", 5, FIELD(LEVEL), "INTERMEDIATE");
  b.Key("ORIENTATION", 6, FIELD(ORIENTATION), "HORIZONTAL");
  b.Key("DRIVER_TYPE", 7, FIELD(DRIVER_TYPE), "", KeyKind::Quoted);
  b.Empty();

  b.Section("CONFIGURATION");
  b.Key("HIDE_FILE", 8, FIELD(HIDE_FILE), "FALSE");
  b.Key("EXECUTABLE", 9, FIELD(EXECUTABLE), "", KeyKind::Quoted);
  b.KeyWithBlock("COPY_FILES", 10, FIELD(COPY_FILES), "FALSE", ScgBlock::CopyFiles);
  b.Key("COMMAND_LINE", 11, FIELD(COMMAND_LINE), "", KeyKind::Quoted);
  b.KeyWithBlock("CUSTOM", 12, FIELD(CUSTOM), "", ScgBlock::Custom);
  b.KeyWithBlock("SHOW_INSTRUCTIONS", 13, FIELD(SHOW_INSTRUCTIONS), "TRUE", ScgBlock::Instructions);
  b.Pair(
      "USE_MASTER", 14, [](auto& c) -> auto& { return c.USE_MASTER; }, "TRUE");
  b.Empty();
  b.Pair(
      "USE_CHORDING", 15, [](auto& c) -> auto& { return c.USE_CHORDING; }, "FALSE");
  b.Empty();
  b.Key("USE_KEYS", 16, FIELD(USE_KEYS), "FALSE");
  b.Empty();

  b.Section("TUNING");
  b.Line("; Motion Labels");
  for (int n = 0; n < 6; ++n) {
    std::string m = std::to_string(n);
    b.Key("MOTION_LABEL_" + m + "_POS", 17, One([n](auto& c) -> auto& { return c.MotionLabel(n + 1).POS; }), "",
          KeyKind::Quoted);
    b.Key("MOTION_LABEL_" + m + "_NEG", 17, One([n](auto& c) -> auto& { return c.MotionLabel(n + 1).NEG; }), "",
          KeyKind::Quoted);
  }
  b.Empty();
  b.Key("MOTION_ALIAS_X", 18, FIELD(MotionAlias.X), "-1").check = KeyCheck::MotionAxis;
  b.Key("MOTION_ALIAS_Y", 18, FIELD(MotionAlias.Y), "-1").check = KeyCheck::MotionAxis;
  b.Empty();
  for (int n = 0; n < 6; ++n)
    b.Key("MOTION_ALIAS_" + std::to_string(n) + "_USE_KEYS", 19,
          One([n](auto& c) -> auto& { return c.MotionAlias.UseKeys(n + 1); }), "FALSE");
  b.Empty();
  for (int user = 0; user < 2; ++user) {
    for (int n = 0; n < 6; ++n) {
      std::string m = std::to_string(n), half = user ? "_USER" : "_DFLT";
      KeyKind kind = user ? KeyKind::MotionUser : KeyKind::Triple;
      b.Key("MOTION_ALIAS_" + m + "_POS" + half, 20,
            Halves(
                [n](auto& c) -> auto& { return c.MotionAlias.MotionPos(n + 1); }, user),
            "", kind)
          .axis = n;
      b.Key("MOTION_ALIAS_" + m + "_NEG" + half, 20,
            Halves(
                [n](auto& c) -> auto& { return c.MotionAlias.MotionNeg(n + 1); }, user),
            "", kind)
          .axis = n;
    }
    b.Empty();
  }
  b.Lines({"; Button Functions", ";", "; GameCommand, ListName", ""});
  b.KeyWithBlock("USE_BUTTONS", 21, FIELD(USE_BUTTONS), "FALSE", ScgBlock::UseButtons);
  b.Lines({"; BUTTON_x_ALIAS=GameInput, ListName, SendEvent", ""});
  for (int n = 0; n < 16; ++n)
    b.Key("BUTTON_" + std::to_string(n) + "_ALIAS", 22, Both([n](auto& c) {
            auto& a = c.ButtonSlot(n + 1).ALIAS;
            FieldRefsOf<std::remove_reference_t<decltype((a.GameInput))>> r;
            r.at = {&a.GameInput, &a.ListName, &a.SendEvent};
            r.count = 3;
            return r;
          }),
          "", KeyKind::ButtonAlias);
  b.Empty();
  b.Lines({"; GameInput, ListName, SendEvent", ""});
  b.KeyWithBlock("CUSTOM_ALIAS", 23, FIELD(CUSTOM_ALIAS), "FALSE", ScgBlock::CustomAlias);
  b.Lines({"; Button Mappings", ";", "; BUTTON_x_DFLT=GameInput, GameCommand, SendEvent", ""});
  for (int user = 0; user < 2; ++user) {
    if (user) b.Lines({"; BUTTON_x_USER=GameInput, GameCommand, SendEvent", ""});
    for (int n = 0; n < 16; ++n)
      b.Key("BUTTON_" + std::to_string(n) + (user ? "_USER" : "_DFLT"), 24,
            Halves(
                [n](auto& c) -> auto& { return c.ButtonSlot(n + 1); }, user),
            "", KeyKind::Triple);
    b.Empty();
  }
  b.Pair(
      "USE_PRECISION", 25, [](auto& c) -> auto& { return c.USE_PRECISION; }, "FALSE");
  b.Empty();
  b.Pair(
      "PRECISION_SENS", 26, [](auto& c) -> auto& { return c.PRECISION.SENS; }, "10");
  b.Empty();
  b.Pair(
      "PRECISION_GAIN", 27, [](auto& c) -> auto& { return c.PRECISION.GAIN; }, "10");
  b.Empty();
  b.Pair(
      "PRECISION_MODE", 28, [](auto& c) -> auto& { return c.PRECISION.MODE; }, "PHYSICAL");
  b.Empty();
  b.Pair(
      "PRECISION_BUTTON", 29, [](auto& c) -> auto& { return c.PRECISION.BUTTON; }, "0");
  b.Empty();
  b.Pair(
      "NULL_REGION", 30, [](auto& c) -> auto& { return c.NULL_REGION; }, "0");
  b.Empty();

  b.Section("HELIRYX");
  b.Lines({"", "; Tuning Scalars", ""});
  for (const char* key : {"AXIS_MAP_DFLT", "AXIS_MAP_USER"}) b.Vector(key);
  b.Empty();
  for (const char* key : {"POLARITY_DFLT", "POLARITY_USER"}) b.Vector(key);
  b.Empty();
  for (const char* what : {"GAIN_", "SENS_"})
    for (const char* half : {"_DFLT", "_USER"}) {
      for (const char* level : {"BEG", "INT", "EXP"}) b.Vector(std::string(what) + level + half);
      b.Empty();
    }
  for (int user = 0; user < 2; ++user) {
    for (int n = 0; n < 6; ++n)
      b.Key("CURVE_" + std::to_string(n) + (user ? "_USER" : "_DFLT"), 32,
            One([ n, user ](auto& c) -> auto& { return user ? c.Curve(n + 1).USER : c.Curve(n + 1).DFLT; }), "",
            KeyKind::Curve);
    b.Empty();
  }

  b.Section("POINTERLY");
  for (int user = 0; user < 2; ++user) {
    if (user) b.Empty();
    for (int n = 0; n < 6; ++n)
      b.Key("DEADZONE_" + std::to_string(n) + (user ? "_USER" : "_DFLT"), 33, One([ n, user ](auto& c) -> auto& {
              return user ? c.DeadzoneValues(n + 1).USER : c.DeadzoneValues(n + 1).DFLT;
            }),
            "0")
          .check = KeyCheck::Deadzone;
  }
  return b.layout;
}

#undef FIELD

}  // namespace

const ScgLayout& Layout() {
  static const ScgLayout layout = BuildLayout();
  return layout;
}

const ScgKey* FindScgKey(const std::string& key) {
  for (const ScgKey& k : Layout().keys)
    if (k.key == key) return &k;
  return nullptr;
}

}  // namespace config_store
