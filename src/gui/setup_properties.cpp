#include "gui/setup_properties.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/setup_file.h"

namespace lumet {

SetupProperties::SetupProperties(const QString& title, const QString& description, QWidget* parent)
    : QDialog(parent) {
  setObjectName("setupProperties");
  setWindowTitle(tr("Set-up properties"));
  title_ = new QLineEdit(title, this);
  title_->setObjectName("title");
  // As long as a set-up file may hold them.
  title_->setMaxLength(int(kSetupMaxTitle));
  description_ = new QPlainTextEdit(description, this);
  description_->setObjectName("description");
  description_->setTabChangesFocus(true);
  connect(description_, &QPlainTextEdit::textChanged, this, &SetupProperties::keepWithinLimit);
  // The standard buttons speak the window's language through Qt's own
  // translations.
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(tr("Title"), title_);
  form->addRow(tr("Description"), description_);
  form->addRow(buttons);
  resize(sizeHint().width() * 2, sizeHint().height());
}

QString SetupProperties::title() const { return title_->text().trimmed(); }

QString SetupProperties::description() const { return description_->toPlainText().trimmed(); }

void SetupProperties::keepWithinLimit() {
  const QString text = description_->toPlainText();
  // Counted as a set-up file counts: in characters, not in UTF-16 units.
  if (text.toStdU32String().size() <= kSetupMaxDescription) return;
  const std::u32string kept = text.toStdU32String().substr(0, kSetupMaxDescription);
  QSignalBlocker quiet(description_);
  description_->setPlainText(QString::fromStdU32String(kept));
  description_->moveCursor(QTextCursor::End);
}

}  // namespace lumet
