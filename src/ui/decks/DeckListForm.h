#pragma once

// "Import list" and "Export list": a plain-text deck list in an editable box. For an import the
// box starts with the clipboard's text and "Open file..." reads a file into it; for an export it
// holds the deck's list, which "Copy" puts on the clipboard and "Save file..." writes.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace tovel {

class TDeckListForm final : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Import, Export };
    // `text` is the export's list (UTF-8 is not involved: Qt text).
    TDeckListForm(Mode mode, const QString& text, QWidget* parent = nullptr);

    QString Text() const;
    QPlainTextEdit* Edit() const { return edit_; }
    QPushButton* Button(const QString& objectName) const;

    // The list's bytes in a file, as the program writes lists (UTF-8); throws Error on failure.
    static void SaveListFile(const std::string& path, const QString& text);
    static QString ReadListFile(const std::string& path);

private:
    QPlainTextEdit* edit_;
};

} // namespace tovel
