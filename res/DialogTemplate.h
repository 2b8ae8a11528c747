// A dialog as data, read like a resource script: one row per control with its kind, caption,
// id, position and size in dialog units, and its style flags. The rows are in tab order, which
// is also the order in which the controls are created.
#pragma once

#include <string_view>
#include <vector>

enum class ControlKind {
    PushButton,
    PictureButton, // owner-drawn: paints one of its faces, its caption only names them
    RadioButton,   // automatic, and a group of its own
    CheckBox,      // automatic two-state
    GroupBox,
    Label,     // left-aligned static text
    Edit,      // single line
    ComboBox,  // drop-down with an editable field; height is the dropped-down height
    Animation, // plays the frames of a clip
    Picture,   // a bitmap resource, centred
    Icon,      // an icon resource
};

// Style flags; a flag not given is absent.
namespace flags {
constexpr unsigned Hidden = 1u << 0;
constexpr unsigned Disabled = 1u << 1;
constexpr unsigned TabStop = 1u << 2;
constexpr unsigned Group = 1u << 3;
constexpr unsigned ReadOnly = 1u << 4;
constexpr unsigned Number = 1u << 5;     // only digits can be typed
constexpr unsigned AutoScroll = 1u << 6; // the text scrolls sideways when it outgrows the field
constexpr unsigned Border = 1u << 7;
constexpr unsigned Default = 1u << 8; // the default push button
} // namespace flags

struct ControlTemplate {
    ControlKind kind;
    std::string_view caption; // for Picture and Icon: the resource's name
    int id;
    int x, y, width, height; // dialog units, from the client area's top-left corner
    unsigned style;
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    int width, height; // client area, dialog units
    std::string_view fontFace;
    int fontPointSize;
    std::vector<ControlTemplate> controls;
    bool clientEdge = false; // a sunken edge around the client area
};
