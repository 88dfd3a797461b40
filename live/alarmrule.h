#pragma once

// The alarm evaluation of one frame's readings, shared by the live window and the monitor
// without a window. The caller keeps the state (acknowledged, frames counted) and acts on what
// comes back: flashing, sound, the alarm folder.
namespace AlarmRule {

enum class State {
    Normal, // the maximum is below the threshold
    Unarmed, // at or above, with the alarm switched off
    Alarming, // at or above, alarm on, not acknowledged
    Acknowledged, // at or above, alarm on, stopped by the user
};

struct Verdict
{
    State state = State::Normal;
    // This frame completed the count: the alarm folder is written now.
    bool writeFolder = false;
    // Whether the alarm is raised: at or above the threshold with the alarm on, stopped or not.
    [[nodiscard]] bool raised() const
    {
        return state == State::Alarming || state == State::Acknowledged;
    }
};

// Frames counted toward the alarm folder; the count stays at AfterFolder until it is reset.
constexpr int FramesForFolder = 8;
constexpr int AfterFolder = 9;

// One frame: a maximum at or above the threshold is an alarm (a NaN compares as below). Below,
// the count and acknowledged are cleared. Alarming with the file box on counts the frame, and
// the eighth counted frame asks for the folder and sets the count to 9.
[[nodiscard]] Verdict evaluate(float maxTemp, float threshold, bool alarmOn, bool alarmFileOn,
    bool *acknowledged, int *alarmFrames);

} // namespace AlarmRule
