#pragma once

#include <QDialogButtonBox>

class QDialog;
class QPushButton;

namespace tovel {

// The dialogs' "OK" (default, accepts) and "Cancel" (rejects) pair, with the buttons' object
// names. The caller places the box in its layout.
struct OkCancelButtons {
    QDialogButtonBox* box;
    QPushButton* ok;
    QPushButton* cancel;
};
OkCancelButtons AddOkCancelButtons(QDialog* dialog, const char* okName, const char* cancelName);

} // namespace tovel
