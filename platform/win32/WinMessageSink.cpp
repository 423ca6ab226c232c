#include "platform/win32/WinMessageSink.h"

#include "platform/win32/CentreOver.h"
#include "platform/win32/WideText.h"

#include <string>

namespace tf {

void WinMessageSink::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    const std::wstring wideCaption = Widen(caption);
    const std::wstring wideText = Widen(text);
    const UINT style = MB_OK | (icon == MessageIcon::Stop ? MB_ICONHAND : MB_ICONWARNING);
    const CentreNextWindowOver centred(owner);
    MessageBoxW(owner, wideText.c_str(), wideCaption.c_str(), style);
}

} // namespace tf
