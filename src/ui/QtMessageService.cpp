#include "ui/QtMessageService.h"

#include <QMessageBox>

namespace brimvale {

namespace {

QMessageBox::Icon qtIcon(MessageService::Icon icon)
{
    switch (icon) {
    case MessageService::Icon::Exclamation:
        return QMessageBox::Warning;
    case MessageService::Icon::Information:
        return QMessageBox::Information;
    case MessageService::Icon::Critical:
        return QMessageBox::Critical;
    case MessageService::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtMessageService::show(const QString& text, const QString& title, Icon icon)
{
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

} // namespace brimvale
