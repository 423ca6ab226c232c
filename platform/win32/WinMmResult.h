#pragma once

#include "platform/MidiPort.h"
#include "platform/win32/WinApi.h"

namespace tf {

/// A multimedia call's result in the port's own words. The five failures the player is told
/// about keep their meaning one for one; whatever else Windows answers is a plain failure.
constexpr PortResult PortResultOf(MMRESULT result) {
    switch (result) {
    case MMSYSERR_NOERROR:
        return PortResult::Ok;
    case MMSYSERR_BADDEVICEID:
        return PortResult::NoSuchDevice;
    case MMSYSERR_ALLOCATED:
        return PortResult::InUse;
    case MMSYSERR_INVALHANDLE:
        return PortResult::NotOpen;
    case MMSYSERR_NOMEM:
        return PortResult::OutOfMemory;
    case MMSYSERR_INVALPARAM:
        return PortResult::BadArgument;
    case MIDIERR_NODEVICE:
        return PortResult::NoDevice;
    default:
        return PortResult::Failed;
    }
}

} // namespace tf
