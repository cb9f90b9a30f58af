#include "ui/app/MainForm.h"

#include "ui/Openers.h"

#include "core/infra/Version.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace tovel {

namespace {
constexpr int kWidth = 418;
constexpr int kHeight = 149;
} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tovel"));
    setFixedSize(kWidth, kHeight);

    // The body holds no controls; a quiet title keeps the small window from looking empty.
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    auto* title = new QLabel(QStringLiteral("Tovel"), body);
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 2.2);
    font.setBold(true);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    title->setEnabled(false);
    auto* subtitle = new QLabel(tr("Cards, collection, decks and limited practice"), body);
    subtitle->setAlignment(Qt::AlignCenter);
    subtitle->setEnabled(false);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addStretch();
    setCentralWidget(body);

    CreateMenus();
    FormCreate();
}

QMenu* TMainForm::AddMenu(const QString& caption, const char* objectName) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QLatin1String(objectName));
    menu->menuAction()->setObjectName(QLatin1String(objectName));
    return menu;
}

QAction* TMainForm::AddCommand(QMenu* menu, const QString& caption, const char* objectName,
                               void (TMainForm::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(objectName));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TMainForm::CreateMenus() {
    QMenu* file = AddMenu(tr("&File"), "File1");
    AddCommand(file, tr("E&xit"), "Exit1", &TMainForm::Exit1Click);

    // The card database's maintenance stands beside its viewer.
    QMenu* base = AddMenu(tr("&Base"), "Base1");
    AddCommand(base, tr("&Explore"), "Explore1", &TMainForm::Explore1Click);
    base->addSeparator();
    AddCommand(base, tr("Create cards DB"), "CreatecardsDB1", &TMainForm::CreatecardsDB1Click);
    AddCommand(base, tr("Create DB from cards.txt and gatherer.txt"), "BuildcardsDB1",
               &TMainForm::BuildcardsDB1Click);
    base->addSeparator();
    AddCommand(base, tr("Backup cards DB"), "BackupcardsDB1", &TMainForm::BackupcardsDB1Click);
    AddCommand(base, tr("Restore cards DB"), "RestorecardsDB1", &TMainForm::RestorecardsDB1Click);

    QMenu* inventory = AddMenu(tr("&Inventory"), "Inventory1");
    AddCommand(inventory, tr("&Manage inventory"), "New1", &TMainForm::New1Click);
    AddCommand(inventory, tr("Borrow/Lend cards"), "LendBorrowcards1", &TMainForm::LendBorrowcards1Click);

    QMenu* deck = AddMenu(tr("&Deck"), "Deck1");
    AddCommand(deck, tr("&Design deck"), "Design1", &TMainForm::Design1Click);
    // The converter of text decks from other programs.
    deck->addSeparator();
    AddCommand(deck, tr("Insert SB"), "InsertSB1", &TMainForm::InsertSB1Click);

    QMenu* draft = AddMenu(tr("D&raft"), "Draft1");
    AddCommand(draft, tr("&New draft"), "Newdraft1", &TMainForm::Newdraft1Click);
    AddCommand(draft, tr("&Open draft record..."), "Opendraftrecord1", &TMainForm::Opendraftrecord1Click);
    AddCommand(draft, tr("New &sealed deck"), "Newsealeddeck1", &TMainForm::Newsealeddeck1Click);
    draft->addSeparator()->setObjectName(QStringLiteral("N1"));
    AddCommand(draft, tr("&Edit card values"), "Editcardvalues1", &TMainForm::Editcardvalues1Click);

    // Hidden: what is left in it does nothing.
    QMenu* utilities = AddMenu(tr("&Utilities"), "Utilities1");
    AddCommand(utilities, tr("Make XML"), "MakeXML1", &TMainForm::MakeXML1Click);

    QMenu* options = AddMenu(tr("&Options"), "Options1");
    AddCommand(options, tr("&Configure"), "Configure1", &TMainForm::Configure1Click);

    QMenu* help = AddMenu(tr("&Help"), "Help1");
    AddCommand(help, tr("&About"), "About1", &TMainForm::About1Click);
}

void TMainForm::FormCreate() {
    Command(QStringLiteral("Utilities1"))->setVisible(false);
    Command(QStringLiteral("LendBorrowcards1"))->setVisible(false);
    setWindowTitle(QString::fromLatin1(kProgramTitle));
}

QAction* TMainForm::Command(const QString& objectName) const {
    for (QAction* action : findChildren<QAction*>())
        if (action->objectName() == objectName)
            return action;
    return nullptr;
}

void TMainForm::Exit1Click() {
    close();
}
void TMainForm::Explore1Click() {
    OpenBaseViewer();
}
void TMainForm::New1Click() {
    OpenInventory();
}
void TMainForm::LendBorrowcards1Click() {} // does nothing, as designed
void TMainForm::Design1Click() {
    OpenDeckDesigner(false, false);
}
void TMainForm::Newdraft1Click() {
    OpenDraft();
}
void TMainForm::Opendraftrecord1Click() {
    OpenDraftRecord();
}
void TMainForm::Newsealeddeck1Click() {
    if (OpenSealedConfig())
        GenerateSealedDeck();
}
void TMainForm::Editcardvalues1Click() {
    OpenCardValuesEditor();
}
void TMainForm::BackupcardsDB1Click() {
    BackupCardsDBCommand();
}
void TMainForm::RestorecardsDB1Click() {
    RestoreCardsDBCommand();
}
void TMainForm::InsertSB1Click() {
    OpenInsertSideboard();
}
void TMainForm::CreatecardsDB1Click() {
    CreateCardsDBCommand();
}
void TMainForm::BuildcardsDB1Click() {
    BuildCardDatabaseCommand();
}
void TMainForm::MakeXML1Click() {} // does nothing, as designed
void TMainForm::Configure1Click() {
    OpenOptions();
}
void TMainForm::About1Click() {
    OpenAbout();
}

} // namespace tovel
