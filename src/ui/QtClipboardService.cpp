#include "ui/QtClipboardService.h"

#include <QClipboard>
#include <QGuiApplication>

namespace brimvale {

void QtClipboardService::clear()
{
    QGuiApplication::clipboard()->clear();
}

void QtClipboardService::setImage(const QImage& image)
{
    QGuiApplication::clipboard()->setImage(image);
}

} // namespace brimvale
