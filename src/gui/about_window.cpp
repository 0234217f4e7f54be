#include "gui/about_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/laboratory.h"
#include "gui/message_boxes.h"

namespace lumet {

const char* const kAboutDistribution = "Распространяется свободно, для учёбы, без гарантий.";
const char* const kAboutMaker = "Сделано разработчиками лаборатории Lumet.";

std::string aboutLogNote(const std::string& logFolder) {
  return "Журнал опыта lumet.dat записывается в папку " + logFolder + "\r\n\r\n";
}

AboutWindow::AboutWindow(QWidget* parent, const std::string& logFolder)
    : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("About");
  setWindowTitle("About");
  if (parent) setFont(parent->font());

  Text1_ = new QPlainTextEdit(this);
  Text1_->setObjectName("Text1");
  Text1_->setReadOnly(true);
  Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // The manual breaks its lines with CR LF; the box wants plain line feeds.
  Text1_->setPlainText(messageText(helpText() + aboutLogNote(logFolder)));
  Text1_->setGeometry(0, 0, px(6315), px(2895));

  Label1_ = new QLabel(QString::fromUtf8(kAboutDistribution), this);
  Label1_->setObjectName("Label1");
  Label1_->setGeometry(px(120), px(2940), px(4800), px(225));
  Label2_ = new QLabel(QString::fromUtf8(kAboutMaker), this);
  Label2_->setObjectName("Label2");
  Label2_->setGeometry(px(120), px(3180), px(4800), px(225));

  Command1_ = new QPushButton(QStringLiteral("Закрыть"), this);
  Command1_->setObjectName("Command1");
  Command1_->setGeometry(px(5040), px(3150), px(1215), px(300));
  connect(Command1_, &QPushButton::clicked, this, &QWidget::close);

  int right = std::max({Text1_->geometry().right(), Command1_->geometry().right(),
                        Label1_->geometry().right(), Label2_->geometry().right()});
  int bottom = std::max(Command1_->geometry().bottom(), Label2_->geometry().bottom());
  resize(right + 1 + px(60), bottom + 1 + px(120));
}

int AboutWindow::px(int twips) const { return qRound(twips * logicalDpiX() / 1440.0); }

}  // namespace lumet
