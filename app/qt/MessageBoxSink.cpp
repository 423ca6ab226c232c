#include "app/qt/MessageBoxSink.h"

#include <QMessageBox>

namespace tf {

void MessageBoxSink::showMessage(MessageIcon icon, std::string_view caption, std::string_view text) {
    QMessageBox box(icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning,
                    QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok);
    box.exec();
}

} // namespace tf
