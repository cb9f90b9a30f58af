#pragma once

#include <QDialogButtonBox>
#include <QPushButton>

#include <utility>

class QBoxLayout;
class QDialog;

namespace tovel {

// The dialogs' "OK" (default, accepts) and "Cancel" (rejects) pair, with the buttons' object
// names. The caller places the box in its layout.
struct OkCancelButtons {
    QDialogButtonBox* box;
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancelButtons AddOkCancelButtons(QDialog* dialog, const char* okName, const char* cancelName);

// A button at the end of a window's row of buttons, with its object name; it is never the
// automatic default, so Return in the window's fields does not press it.
QPushButton* AddRowButton(QWidget* owner, QBoxLayout* row, const char* name, const QString& caption);
template <typename Handler>
QPushButton* AddRowButton(QWidget* owner, QBoxLayout* row, const char* name, const QString& caption,
                          Handler handler) {
    QPushButton* button = AddRowButton(owner, row, name, caption);
    QObject::connect(button, &QPushButton::clicked, owner, std::move(handler));
    return button;
}

} // namespace tovel
