#include "ui/controls/DialogButtons.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDialog>
#include <QPushButton>

namespace tovel {

OkCancelButtons AddOkCancelButtons(QDialog* dialog, const char* okName, const char* cancelName) {
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok =
        box->addButton(QCoreApplication::translate("DialogButtons", "OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QLatin1String(okName));
    ok->setDefault(true);
    QPushButton* cancel =
        box->addButton(QCoreApplication::translate("DialogButtons", "Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QLatin1String(cancelName));
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return {box, ok, cancel};
}

QPushButton* AddRowButton(QWidget* owner, QBoxLayout* row, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, owner);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace tovel
