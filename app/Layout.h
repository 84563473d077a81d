#pragma once

#include <array>
#include <string_view>

// Where each control of the main window sits, in client pixels at 96 pixels
// per inch. Every layer places the controls from this one table.
struct ControlPlacement {
    std::string_view Name;
    int Left;
    int Top;
    int Width;
    int Height; // the drop-down lists: their minimum height
    int TabOrder; // -1: takes no part in the Tab walk
    bool HandCursor;
};

inline constexpr int ClientWidth = 353;
inline constexpr int ClientHeight = 202;
inline constexpr int ListVisibleItems = 8;

// In creation order; the picture first, beneath all the others.
inline constexpr std::array<ControlPlacement, 21> Placements = {{
    {"Image1", 0, 0, 353, 202, -1, false},
    {"Button1", 10, 13, 95, 21, 3, true},
    {"Edit1", 110, 13, 95, 21, 4, false},
    {"Edit3", 208, 128, 33, 21, 7, false},
    {"Edit4", 248, 128, 33, 21, 8, false},
    {"Edit5", 208, 158, 33, 21, 10, false},
    {"Edit6", 248, 158, 33, 21, 11, false},
    {"Button3", 215, 13, 106, 21, 5, true},
    {"ComboBox1", 215, 78, 60, 21, 0, true},
    {"Edit8", 288, 78, 33, 21, 1, false},
    {"Edit7", 288, 128, 33, 21, 9, false},
    {"Edit9", 288, 158, 33, 21, 12, false},
    {"ComboBox3", 110, 78, 95, 21, 2, true},
    {"CheckBox1", 215, 52, 13, 13, 6, true},
    {"ComboBox4", 10, 78, 95, 21, 13, true},
    {"Panel1", 10, 48, 95, 21, 14, false},
    {"Panel2", 110, 48, 95, 21, 15, false},
    {"Panel3", 240, 48, 81, 21, 16, false},
    {"Panel4", 10, 128, 130, 21, 17, false},
    {"Panel5", 10, 158, 130, 21, 18, false},
    {"Edit2", 176, 158, 21, 21, 19, false},
}};

// The placement of the named control; the picture's for an unknown name.
constexpr const ControlPlacement& PlacementOf(std::string_view name)
{
    for (const auto& placement : Placements) {
        if (placement.Name == name)
            return placement;
    }
    return Placements[0];
}
