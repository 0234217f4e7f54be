// What every window test stands on: the settings in a temporary folder, never
// the user's own, and before each test a fresh window with its run log in a
// fresh folder, shown (and, where asked, active: keys reach the shortcuts of
// the active window only).
#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "gui/main_window.h"
#include "gui/settings.h"

namespace lumet::test {

class WindowFixture : public QObject {
 protected:
  std::unique_ptr<QTemporaryDir> dir_, settings_;
  std::unique_ptr<MainWindow> w_;

  Experiment& x() { return w_->laboratory().experiment(); }
  Form& form() { return w_->form(); }
  // A value the laboratory writes, shown at the next handler's report.
  void writeValue(V v, double value) { x().shown.set(v, value); }

  // The window's language: Russian, or the one LUMET_TEST_LANGUAGE names
  // ("en"), so that a test of the form runs in each.
  static Language testLanguage() {
    return languageByCode(qgetenv("LUMET_TEST_LANGUAGE").toStdString()).value_or(Language::ru);
  }
  // The text of the tables in the window's language.
  QString in(const Words& w) const { return QString::fromUtf8(w.in(w_->language())); }

  // Once, before the first test.
  void redirectSettings() {
    settings_ = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_->path());
  }
  // Before each test; a failure is the test's.
  void openWindow(bool active) {
    QSettings(kSettingsOrganisation, kSettingsApplication).clear();
    dir_ = std::make_unique<QTemporaryDir>();
    w_ = std::make_unique<MainWindow>(dir_->path().toStdString(), nullptr, testLanguage());
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
    if (!active) return;
    w_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w_.get()));
  }
  // After each test.
  void closeWindow() {
    w_.reset();
    dir_.reset();
  }
};

}  // namespace lumet::test
