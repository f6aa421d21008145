// The key rule the font view and the character view share while one of them has
// the focus: Tab and Backtab flip the keyboard between the two views (the focus
// stays), and any other key goes to the view's own handler when that view holds
// the keyboard. Keys the handler does not take, and all keys while the other view
// holds the keyboard, go on to the parent.
#pragma once

#include <QKeyEvent>

#include "shell/document.h"

// 'target' is the view's keyboard target: 0 the font view, 1 the character view.
template <typename View>
void VIEWS_RouteKey(Document* pDocument, View* pView, int target, QKeyEvent* pEvent) {
  if (pEvent->key() == Qt::Key_Tab || pEvent->key() == Qt::Key_Backtab) {
    pDocument->setKeyboardTarget(pDocument->keyboardTarget() ? 0 : 1);
    pEvent->accept();
    return;
  }
  pEvent->ignore();
  if (pDocument->keyboardTarget() == target) pView->handleKey(pEvent);
}
