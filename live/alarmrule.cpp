#include "live/alarmrule.h"

namespace AlarmRule {

Verdict evaluate(float maxTemp, float threshold, bool alarmOn, bool alarmFileOn, bool *acknowledged,
    int *alarmFrames)
{
    Verdict verdict;
    if (!(maxTemp >= threshold)) {
        *alarmFrames = 0;
        *acknowledged = false;
        return verdict;
    }
    if (!alarmOn) {
        verdict.state = State::Unarmed;
        return verdict;
    }
    if (*acknowledged) {
        verdict.state = State::Acknowledged;
        return verdict;
    }
    verdict.state = State::Alarming;
    if (alarmFileOn) {
        if (*alarmFrames < FramesForFolder)
            ++*alarmFrames;
        if (*alarmFrames == FramesForFolder) {
            verdict.writeFolder = true;
            *alarmFrames = AfterFolder;
        }
    }
    return verdict;
}

} // namespace AlarmRule
