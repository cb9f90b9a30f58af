#include "ui/platform/QtPrompter.h"

#include "ui/platform/QtText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace tovel {

namespace {

QWidget* Parent() {
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

QString Title() {
    return QApplication::applicationName();
}

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        break;
    }
    return QMessageBox::Question;
}

std::string RunFileDialog(QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode,
                          const std::string& dir, const std::string& extension, const std::string& filter,
                          std::vector<std::string>* many) {
    QFileDialog dialog(Parent(), QString(), FromUtf8(dir), QtFileFilter(filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    dialog.setDefaultSuffix(FromUtf8(extension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    if (many)
        for (const QString& f : files)
            many->push_back(ToUtf8(f));
    return files.isEmpty() ? std::string() : ToUtf8(files.first());
}

} // namespace

QString CoreText(const std::string& text) {
    // The contexts under which the core marks its texts.
    static constexpr const char* kCoreContexts[] = {"SystemErrorText"};
    const QString original = FromUtf8(text);
    for (const char* context : kCoreContexts) {
        QString translated = QCoreApplication::translate(context, text.c_str());
        if (translated != original)
            return translated;
    }
    return original;
}

QString QtFileFilter(const std::string& filter) {
    const QStringList parts = FromUtf8(filter).split(QLatin1Char('|'));
    QStringList pairs;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        pairs << QStringLiteral("%1 (%2)").arg(parts[i], patterns.simplified());
    }
    return pairs.join(QStringLiteral(";;"));
}

void QtPrompter::ShowError(const std::string& message) {
    QMessageBox::critical(Parent(), Title(), CoreText(message));
}

void QtPrompter::ShowInformation(const std::string& message) {
    QMessageBox::information(Parent(), Title(), CoreText(message));
}

Answer QtPrompter::Confirm(const std::string& message, ConfirmButtons buttons, MessageIcon icon) {
    QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No;
    if (buttons == ConfirmButtons::YesCancel)
        set = QMessageBox::Yes | QMessageBox::Cancel;
    else if (buttons == ConfirmButtons::YesNoCancel)
        set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    QMessageBox box(ToQt(icon), Title(), CoreText(message), set, Parent());
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

std::string QtPrompter::AskOpenFileName(const std::string& initialDir, const std::string& defaultExtension,
                                        const std::string& filter) {
    return RunFileDialog(QFileDialog::AcceptOpen, QFileDialog::ExistingFile, initialDir, defaultExtension,
                         filter, nullptr);
}

std::vector<std::string> QtPrompter::AskOpenFileNames(const std::string& initialDir,
                                                      const std::string& defaultExtension,
                                                      const std::string& filter) {
    std::vector<std::string> files;
    RunFileDialog(QFileDialog::AcceptOpen, QFileDialog::ExistingFiles, initialDir, defaultExtension, filter,
                  &files);
    return files;
}

std::string QtPrompter::AskSaveFileName(const std::string& initialDir, const std::string& defaultExtension,
                                        const std::string& filter) {
    return RunFileDialog(QFileDialog::AcceptSave, QFileDialog::AnyFile, initialDir, defaultExtension, filter,
                         nullptr);
}

std::string QtPrompter::BrowseFolder(const std::string& caption, const std::string& initialDir) {
    return ToUtf8(QFileDialog::getExistingDirectory(Parent(), CoreText(caption), FromUtf8(initialDir)));
}

} // namespace tovel
