// Message boxes shown with QMessageBox.
#pragma once

#include "ui/MessageService.h"

class QWidget;

namespace brimvale {

class QtMessageService : public MessageService {
public:
    explicit QtMessageService(QWidget* parent = nullptr) : m_parent(parent) {}

    // The window the boxes are centred on and modal to.
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    void show(const QString& text, const QString& title, Icon icon) override;

private:
    QWidget* m_parent;
};

} // namespace brimvale
