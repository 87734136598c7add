#include "editor/combo_mouse.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using editor::clsComboMouse;

namespace {

// A combo box that notes the context menus that reach it.
class Combo : public QComboBox {
 public:
  using QComboBox::QComboBox;
  int contextMenus = 0;

 protected:
  void contextMenuEvent(QContextMenuEvent* e) override {
    ++contextMenus;
    QComboBox::contextMenuEvent(e);
  }
};

class ComboMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window);
    for (Combo*& cbo : combos) {
      cbo = new Combo(&window);
      cbo->addItems({"Jump", "Fire", "Crouch"});
      cbo->setMinimumWidth(160);
      layout->addWidget(cbo);
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  // Notes each event of the hook as "Move 1 2 0 3" (Button, Shift, X, Y).
  void Record(clsComboMouse& hook) {
    auto note = [this](const char* name) {
      return [this, name](short button, short shift, float x, float y) {
        seen += (seen.empty() ? "" : ", ") + std::string(name) + " " + std::to_string(button) + " " +
                std::to_string(shift) + " " + std::to_string(int(x)) + " " + std::to_string(int(y));
      };
    };
    QObject::connect(&hook, &clsComboMouse::MouseMove, note("Move"));
    QObject::connect(&hook, &clsComboMouse::MouseDown, note("Down"));
    QObject::connect(&hook, &clsComboMouse::MouseUp, note("Up"));
    QObject::connect(&hook, &clsComboMouse::DblClick, note("DblClick"));
    QObject::connect(&hook, &clsComboMouse::ContextMenu, [this](bool& cancel) {
      seen += (seen.empty() ? "" : ", ") + std::string("ContextMenu");
      cancel = cancelContextMenus;
    });
  }

  static void Send(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                   Qt::KeyboardModifiers keys = {}) {
    QMouseEvent e(type, at, to->mapToGlobal(at), button, held, keys);
    QApplication::sendEvent(to, &e);
  }

  static void SendContextMenu(QWidget* to) {
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(4, 4), to->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(to, &e);
  }

  QWidget window;
  Combo* combos[2] = {};
  std::string seen;
  bool cancelContextMenus = false;
};

TEST_F(ComboMouse, RaisesTheMouseEventsOfTheComboInTheirOrder) {
  clsComboMouse hook;
  Record(hook);
  hook.HookCombo(combos[0]);
  QComboBox* cbo = combos[0];
  QTest::mousePress(cbo, Qt::RightButton, {}, QPoint(10, 5));
  QTest::mouseRelease(cbo, Qt::RightButton, {}, QPoint(10, 5));
  QTest::mouseDClick(cbo, Qt::RightButton, {}, QPoint(11, 6));
  QTest::mouseRelease(cbo, Qt::RightButton, {}, QPoint(11, 6));
  Send(cbo, QEvent::MouseMove, QPoint(0, 7), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  Send(cbo, QEvent::MouseMove, QPoint(3, 2), Qt::NoButton, Qt::LeftButton | Qt::RightButton,
       Qt::ShiftModifier | Qt::AltModifier);
  Send(cbo, QEvent::MouseButtonPress, QPoint(3, 2), Qt::MiddleButton, Qt::MiddleButton);  // not watched
  Send(cbo, QEvent::MouseButtonRelease, QPoint(3, 2), Qt::MiddleButton, Qt::NoButton);
  SendContextMenu(cbo);
  EXPECT_EQ(seen,
            "Down 2 0 10 5, Up 0 0 10 5, DblClick 2 0 11 6, Up 0 0 11 6, Move 1 2 0 7, Move 3 5 3 2, ContextMenu");
}

TEST_F(ComboMouse, SeesThePointerMoveWithoutAButtonAndTheComboStillWorks) {
  clsComboMouse hook;
  Record(hook);
  EXPECT_FALSE(combos[0]->hasMouseTracking());
  hook.HookCombo(combos[0]);
  QTest::mouseMove(combos[0], QPoint(20, 8));
  EXPECT_EQ(seen, "Move 0 0 20 8");
  // The combo box still gets its press: its list opens.
  QTest::mousePress(combos[0], Qt::LeftButton, {}, QPoint(20, 8));
  EXPECT_EQ(seen, "Move 0 0 20 8, Down 1 0 20 8");
  EXPECT_TRUE(QTest::qWaitFor([&] { return combos[0]->view()->isVisible(); }, 5000));
  combos[0]->hidePopup();
  QTest::mouseRelease(combos[0], Qt::LeftButton, {}, QPoint(20, 8));
}

TEST_F(ComboMouse, AContextMenuIsHeldBackOnlyWhenAHandlerCancelsIt) {
  clsComboMouse hook;
  Record(hook);
  hook.HookCombo(combos[0]);
  SendContextMenu(combos[0]);
  EXPECT_EQ(combos[0]->contextMenus, 1);
  cancelContextMenus = true;
  SendContextMenu(combos[0]);
  EXPECT_EQ(combos[0]->contextMenus, 1);
  EXPECT_EQ(seen, "ContextMenu, ContextMenu");
}

TEST_F(ComboMouse, HookingMovesUnhookingAndReleasingStop) {
  auto hook = std::make_unique<clsComboMouse>();
  Record(*hook);
  hook->HookCombo(nullptr);  // nothing to watch: not hooked
  EXPECT_EQ(hook->HookedCombo(), nullptr);
  hook->UnhookCombo();

  hook->HookCombo(combos[0]);
  hook->HookCombo(combos[1]);  // moves the hook
  EXPECT_FALSE(combos[0]->hasMouseTracking());
  Send(combos[0], QEvent::MouseMove, QPoint(1, 1), Qt::NoButton, Qt::NoButton);
  Send(combos[1], QEvent::MouseMove, QPoint(2, 2), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(seen, "Move 0 0 2 2");

  hook->UnhookCombo();
  EXPECT_EQ(hook->HookedCombo(), nullptr);
  EXPECT_FALSE(combos[1]->hasMouseTracking());
  Send(combos[1], QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(seen, "Move 0 0 2 2");

  hook->HookCombo(combos[1]);
  hook.reset();  // released: detached
  Send(combos[1], QEvent::MouseMove, QPoint(4, 4), Qt::NoButton, Qt::NoButton);
  SendContextMenu(combos[1]);
  EXPECT_EQ(seen, "Move 0 0 2 2");
  EXPECT_EQ(combos[1]->contextMenus, 1);
}

TEST_F(ComboMouse, AComboBoxGoneBeforeItsHookLeavesTheHookUnhooked) {
  clsComboMouse hook;
  hook.HookCombo(combos[1]);
  delete combos[1];
  combos[1] = nullptr;
  EXPECT_EQ(hook.HookedCombo(), nullptr);
  hook.UnhookCombo();
}

TEST_F(ComboMouse, AnEditableComboBoxReportsPositionsInTheComboBox) {
  combos[0]->setEditable(true);
  clsComboMouse hook;
  Record(hook);
  hook.HookCombo(combos[0]);
  QWidget* edit = combos[0]->lineEdit();
  QPoint inEdit(5, 3);
  QPoint inCombo = edit->mapTo(combos[0], inEdit);
  QTest::mouseMove(edit, inEdit);
  EXPECT_EQ(seen, "Move 0 0 " + std::to_string(inCombo.x()) + " " + std::to_string(inCombo.y()));
}

}  // namespace
