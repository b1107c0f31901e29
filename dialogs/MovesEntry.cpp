#include "dialogs/MovesEntry.h"

#include "dialogs/FormFont.h"
#include "localization/LocalizationStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

namespace vexil {

namespace {

// A text of the store, or the design's own when the store has no such key.
QString StoreText(const TLocalizationStore* AStore, const char* AKey, const char* ADesignText) {
  if (AStore == nullptr || !AStore->KeyIsPresent(AKey)) {
    return QString::fromUtf8(ADesignText);
  }
  return AStore->GetString(QString::fromLatin1(AKey));
}

// Wide enough for a scramble of a big cube to be read whole.
constexpr int kEditMinimumChars = 48;

} // namespace

TMovesEntry::TMovesEntry(QWidget* AParent) : QDialog(AParent) {
  setObjectName(QStringLiteral("MovesEntryForm"));
  setWindowTitle(QStringLiteral("Ввод ходов"));
  setAttribute(Qt::WA_DeleteOnClose);
  ApplySystemMessageFont(this);
  auto* label = new QLabel(QStringLiteral("Ходы в нотации, например R U R' U':"), this);
  label->setObjectName(QStringLiteral("MovesEntryLabel"));
  FEdit = new QLineEdit(this);
  FEdit->setObjectName(QStringLiteral("MovesEdit"));
  FEdit->setMinimumWidth(FEdit->fontMetrics().averageCharWidth() * kEditMinimumChars);
  label->setBuddy(FEdit);
  FErrorLabel = new QLabel(this);
  FErrorLabel->setObjectName(QStringLiteral("MovesErrorText"));
  FErrorLabel->setTextFormat(Qt::PlainText);
  FErrorLabel->setWordWrap(true);
  FErrorLabel->setStyleSheet(QStringLiteral("color: #c00000;"));
  FErrorLabel->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(FEdit);
  layout->addWidget(FErrorLabel);
  // The entry grows by the error's lines and shrinks back when it goes.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(FEdit, &QLineEdit::returnPressed, this, [this] { Play(); });
  connect(FEdit, &QLineEdit::textEdited, this, [this] { ClearError(); });
}

void TMovesEntry::showEvent(QShowEvent* AEvent) {
  if (!AEvent->spontaneous() && FLocalizationStoreLink != nullptr) {
    FLocalizationStoreLink->LocalizeForm(this);
  }
  QDialog::showEvent(AEvent);
}

QString TMovesEntry::ErrorText() const {
  return FErrorLabel->isHidden() ? QString() : FErrorLabel->text();
}

QString TMovesEntry::DescribeError(const TLocalizationStore* AStore, const TNotationError& AError) {
  const QString format =
      AError.Kind == TNotationErrorKind::BeyondTheCube
          ? StoreText(AStore, "MOVES_BEYOND_CUBE",
                      "Ход %1, \"%2\", поворачивает слой, которого у этого кубика нет.")
          : StoreText(AStore, "MOVES_NOT_A_TURN", "Ход %1, \"%2\", не является поворотом.");
  return format.arg(AError.TokenNumber).arg(QString::fromStdString(AError.Token));
}

void TMovesEntry::Play() {
  const std::string text = FEdit->text().toStdString();
  const std::optional<TNotationError> error = FOnPlay ? FOnPlay(text) : std::nullopt;
  if (error) {
    MarkError(*error, text);
    return;
  }
  accept();
}

void TMovesEntry::MarkError(const TNotationError& AError, const std::string& AText) {
  // The error counts bytes of UTF-8; the edit counts UTF-16 characters.
  const auto start =
      static_cast<int>(QString::fromStdString(AText.substr(0, AError.Offset)).size());
  const auto length = static_cast<int>(QString::fromStdString(AError.Token).size());
  FEdit->setSelection(start, length);
  FErrorLabel->setText(DescribeError(FLocalizationStoreLink, AError));
  FErrorLabel->show();
}

void TMovesEntry::ClearError() {
  FErrorLabel->clear();
  FErrorLabel->hide();
}

} // namespace vexil
