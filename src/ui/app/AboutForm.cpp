#include "ui/app/AboutForm.h"

#include "ui/Openers.h"

#include "core/infra/Version.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace tovel {

namespace {

// A label that reports clicks: the contact line behaves like a link.
class ClickableLabel final : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLabel::mouseReleaseEvent(event);
        if (onClick)
            onClick();
    }
};

} // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("About"));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->setContentsMargins(28, 20, 28, 16);

    labelTitle_ = new QLabel(QStringLiteral("Tovel"), this);
    labelTitle_->setObjectName(QStringLiteral("LabelTitle"));
    QFont titleFont = labelTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.0);
    titleFont.setBold(true);
    labelTitle_->setFont(titleFont);
    labelTitle_->setAlignment(Qt::AlignCenter);

    labelCredits_ = new QLabel(tr("A card database, collection keeper and draft trainer.\nWritten by the Tovel team."), this);
    labelCredits_->setObjectName(QStringLiteral("LabelCredits"));
    labelCredits_->setAlignment(Qt::AlignCenter);

    auto* contact = new ClickableLabel(QLatin1String(kContactAddress), this);
    contact->setObjectName(QStringLiteral("LabelContact"));
    contact->setAlignment(Qt::AlignCenter);
    contact->setCursor(Qt::PointingHandCursor);
    QPalette palette = contact->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    contact->setPalette(palette);
    contact->onClick = [this] { ContactClick(); };
    labelContact_ = contact;

    auto* cool = new QPushButton(tr("Cool"), this);
    cool->setObjectName(QStringLiteral("ButtonCool"));
    cool->setDefault(true);
    connect(cool, &QPushButton::clicked, this, &QDialog::accept);

    layout->addWidget(labelTitle_);
    layout->addWidget(labelCredits_);
    layout->addWidget(labelContact_);
    layout->addSpacing(6);
    layout->addWidget(cool, 0, Qt::AlignCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutForm::SetTitle(const QString& title) { labelTitle_->setText(title); }

QString TAboutForm::ContactUrl() const {
    return QStringLiteral("mailto:") + labelContact_->text() + QStringLiteral("?Subject=Tovel");
}

void TAboutForm::ContactClick() { QDesktopServices::openUrl(QUrl(ContactUrl())); }

void OpenAbout() {
    TAboutForm about(QApplication::activeWindow());
    about.SetTitle(QString::fromLatin1(kProgramTitle));
    about.adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen())
        about.move(screen->availableGeometry().center() - about.rect().center());
    about.exec();
}

} // namespace tovel
