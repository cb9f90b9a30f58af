#pragma once

#include <QMainWindow>

class QAction;
class QMenu;

namespace tovel {

// The small main window: nothing but the main menu, whose commands open the feature windows.
class TMainForm final : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    // The menu command whose object name is given (e.g. "Explore1"), for tests and tools.
    QAction* Command(const QString& objectName) const;

private slots:
    void Exit1Click();
    void Explore1Click();
    void New1Click();
    void LendBorrowcards1Click();
    void Design1Click();
    void Newdraft1Click();
    void Opendraftrecord1Click();
    void Newsealeddeck1Click();
    void Editcardvalues1Click();
    void BackupcardsDB1Click();
    void RestorecardsDB1Click();
    void InsertSB1Click();
    void CreatecardsDB1Click();
    void BuildcardsDB1Click();
    void MakeXML1Click();
    void Configure1Click();
    void About1Click();

private:
    void CreateMenus();
    void FormCreate();
    QMenu* AddMenu(const QString& caption, const char* objectName);
    QAction* AddCommand(QMenu* menu, const QString& caption, const char* objectName,
                        void (TMainForm::*handler)());
};

} // namespace tovel
