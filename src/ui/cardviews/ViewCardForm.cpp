#include "ui/cardviews/ViewCardForm.h"

#include "core/settings/Settings.h"
#include "ui/cardviews/CardInfoFrame.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include <memory>

namespace tovel {

namespace {

std::unique_ptr<TViewCardForm>& Instance() {
    // Global: one floating Card Info window follows whichever window has a card selected.
    static std::unique_ptr<TViewCardForm> instance;
    return instance;
}

constexpr int kClientWidth = TCardInfoFrame::kWidth + 4;

} // namespace

TViewCardForm::TViewCardForm(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ViewCardForm"));
    setWindowTitle(tr("Card Info"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    cardInfoFrame_ = new TCardInfoFrame(this);
    layout->addWidget(cardInfoFrame_);
    setFixedWidth(kClientWidth);
    resize(kClientWidth, kHeight);
    // The saved place; no clamping to the screen.
    if (SettingsOpen())
        move(Settings().ViewCardLeft(), Settings().ViewCardTop());
}

void TViewCardForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

namespace {

TViewCardForm& ShownForm() {
    auto& form = Instance();
    if (!form)
        form = std::make_unique<TViewCardForm>();
    return *form;
}

void ShowForm(TViewCardForm& form) {
    form.setFixedHeight(TViewCardForm::kHeight);
    if (!form.isVisible())
        form.show();
}

} // namespace

void ShowCardInfo(const TCardItem* card, const TCardsList& cards) {
    auto& existing = Instance();
    if (existing && existing->isVisible() && card && existing->CardInfoFrame()->Shows(*card))
        return;
    TViewCardForm& form = ShownForm();
    form.CardInfoFrame()->ShowCard(card, cards);
    ShowForm(form);
}

void ShowNoCardInfo() {
    TViewCardForm& form = ShownForm();
    form.CardInfoFrame()->ShowNothing();
    ShowForm(form);
}

void HideCardInfo() {
    auto& form = Instance();
    if (form && form->isVisible())
        form->close();
}

void DestroyCardInfo() {
    std::unique_ptr<TViewCardForm> form = std::move(Instance());
    if (form && SettingsOpen())
        Settings().SetViewCardPosition(form->y(), form->x());
}

void ReleaseCardInfo() {
    Instance().reset();
}

TViewCardForm* ViewCardForm() {
    return Instance().get();
}

} // namespace tovel
