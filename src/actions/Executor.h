// The action executor: picks a recognised gesture's action for the program
// in front and performs it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "actions/ExecutorSeams.h"
#include "gesture/GestureModel.h"

namespace zoram {

constexpr uint8_t kModShift = 1, kModCtrl = 2, kModAlt = 4;
constexpr unsigned kScMaximize = 0xF030, kScMinimize = 0xF020, kScRestore = 0xF120;

// The gesture's action for the foreground program key (lower-cased, trimmed
// full path). Sets the current folder to the program folder, which rule
// paths are expanded against. `lastAction` gets the chosen action or
// "[ Do nothing ]".
std::u16string ChooseAction(const TGestureSet& set, int gestureIndex, std::u16string_view foregroundKey,
                            const std::u16string& programFolder, ShellSeam& shell,
                            std::u16string& lastAction);

// Performs one action string against the target window. Failures are silent.
void PerformAction(std::u16string_view action, WindowHandle target, const std::u16string& programFolder,
                   const ExecutorSeams& seams);

// Both of the above: what the recogniser calls for a recognised gesture.
void ExecuteGesture(const TGestureSet& set, int gestureIndex, std::u16string_view foregroundKey,
                    const std::u16string& programFolder, WindowHandle target, const ExecutorSeams& seams,
                    std::u16string& lastAction);

// Opens a program, document, folder, shell location or address, splitting
// arguments off after ".exe ", ".bat ", ".com " or ".lnk ".
intptr_t ExecuteFile(ShellSeam& shell, std::u16string_view file, std::u16string_view workingFolder);

// Presses a key with modifiers (kMod* bits), then lets everything go.
void SendKeyCombination(KeyEventSink& keys, uint8_t vk, uint8_t modifiers, bool extended);

// The menu-shortcut notation ("Ctrl+Shift+Esc"): key code and modifiers;
// {0, 0} for text that names no key.
struct Shortcut {
    uint8_t vk = 0;
    uint8_t modifiers = 0;
};
Shortcut TextToShortcut(KeyEventSink& keys, std::u16string_view text);

// Volume levels on the 0..255 scale and the device's channel values.
uint32_t VolumeLevelToDevice(int level);
int DeviceToVolumeLevel(uint32_t value);

}  // namespace zoram
