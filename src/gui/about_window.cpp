#include "gui/about_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "gui/form_look.h"
#include "gui/manual.h"
#include "gui/message_boxes.h"

namespace lumet {

QString aboutDistribution() {
  return AboutWindow::tr("Distributed freely, for learning, without warranty.");
}
QString aboutMaker() { return AboutWindow::tr("Made by the developers of the Lumet laboratory."); }

QString aboutLogNote(const std::string& logFolder) {
  return AboutWindow::tr("The run log lumet.dat is written to the folder %1")
             .arg(QString::fromStdString(logFolder)) +
         "\r\n\r\n";
}

namespace {

// The window's size in twips at zoom 1: the text box, the caption lines and
// "Закрыть" below it, with a margin right and below.
constexpr int kWidthTwips = 6315 + 60;
constexpr int kHeightTwips = 3450 + 120;
// The height of the band below the text box.
constexpr int kBandTwips = kHeightTwips - 2895;

}  // namespace

AboutWindow::AboutWindow(QWidget* parent, const std::string& logFolder, qreal zoom,
                         Language language)
    : QWidget(parent, Qt::Window), logFolder_(logFolder) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("About");
  setWindowTitle("About");

  Text1_ = new QPlainTextEdit(this);
  Text1_->setObjectName("Text1");
  Text1_->setReadOnly(true);
  Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Label1_ = new QLabel(this);
  Label1_->setObjectName("Label1");
  Label2_ = new QLabel(this);
  Label2_->setObjectName("Label2");

  Command1_ = new QPushButton(this);
  Command1_->setObjectName("Command1");
  connect(Command1_, &QPushButton::clicked, this, &QWidget::close);
  showIn(language);

  place();
  baseSize_ = size();
  setMinimumSize(baseSize_);
  // It opens as large as the form it belongs to.
  resize(size() * std::max<qreal>(1, zoom));
}

void AboutWindow::showIn(Language language) {
  // The manual breaks its lines with CR LF; the box wants plain line feeds.
  const QString text = QString::fromStdString(manualText(language)) + aboutLogNote(logFolder_);
  Text1_->setPlainText(messageText(text.toStdString()));
  Label1_->setText(aboutDistribution());
  Label2_->setText(aboutMaker());
  Command1_->setText(tr("Close"));
}

int AboutWindow::px(int twips) const { return qRound(twips * logicalDpiX() / 1440.0 * zoom_); }

void AboutWindow::place() {
  setFont(formFont(zoom_));
  // The text box takes all the window leaves above the band of the caption
  // lines and "Закрыть"; the band keeps its twip places from the left and
  // from the bottom, "Закрыть" from the right.
  const int w = std::max(width(), px(kWidthTwips)), h = std::max(height(), px(kHeightTwips));
  const int band = h - px(kBandTwips);
  const auto fromBand = [&](int twips) { return band + px(twips - 2895); };
  Text1_->setGeometry(0, 0, w - px(60), band);
  Label1_->setGeometry(px(120), fromBand(2940), px(4800), px(225));
  Label2_->setGeometry(px(120), fromBand(3180), px(4800), px(225));
  Command1_->setGeometry(w - px(kWidthTwips - 5040), fromBand(3150), px(1215), px(300));
  if (width() < w || height() < h) resize(w, h);
}

void AboutWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The text grows with the window: one zoom for the font and the band,
  // as far as both width and height allow.
  if (baseSize_.isEmpty()) return;  // still being built
  zoom_ = std::max<qreal>(
      1, std::min(qreal(width()) / baseSize_.width(), qreal(height()) / baseSize_.height()));
  place();
}

}  // namespace lumet
