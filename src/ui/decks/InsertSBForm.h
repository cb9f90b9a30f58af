#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QPushButton;

namespace tovel {

// The sideboard utility: rewrites text decks that mark their sideboard with a comment line into
// deck files with "SB: " on every sideboard line (each chosen file F gives F + ".dec").
class TInsertSBForm final : public QDialog {
    Q_OBJECT
public:
    explicit TInsertSBForm(QWidget* parent = nullptr);

    // The folder the file dialog starts in.
    static std::string DefaultFolder();

private:
    void ButtonInsertClick();

    QPushButton* buttonInsert_;
};

} // namespace tovel
