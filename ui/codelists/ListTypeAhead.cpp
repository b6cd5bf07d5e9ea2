#include "ui/codelists/ListTypeAhead.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <string>

#include "core/codelists/CodeText.h"

namespace tarvex {

CListTypeAhead* CListTypeAhead::Install(QAbstractItemView* view, int column) {
    return new CListTypeAhead(view, column);
}

CListTypeAhead::CListTypeAhead(QAbstractItemView* view, int column)
    : QObject(view), m_pView(view), m_nColumn(column) {
    view->installEventFilter(this);
}

bool CListTypeAhead::JumpTo(const QString& prefix) {
    const QAbstractItemModel* model = m_pView->model();
    if (!model || prefix.isEmpty()) return false;
    if (m_finder) return m_finder(prefix);
    const std::u16string p = prefix.toStdU16String();
    const QModelIndex root = m_pView->rootIndex();
    for (int row = 0; row < model->rowCount(root); ++row) {
        const QModelIndex index = model->index(row, m_nColumn, root);
        const std::u16string text = model->data(index).toString().toStdU16String();
        // "09 - Bayern", "1 - Seeverkehr": the words after the number count as well.
        const size_t dash = text.find(u" - ");
        // "3 4" is typed as "34" as well.
        std::u16string packed = text;
        std::erase(packed, u' ');
        const bool hit = StartsWithIgnoringCase(text, p) ||
                         (dash != std::u16string::npos && StartsWithIgnoringCase(text.substr(dash + 3), p)) ||
                         (p.find(u' ') == std::u16string::npos && StartsWithIgnoringCase(packed, p));
        if (hit) {
            m_pView->setCurrentIndex(index);
            m_pView->scrollTo(index);
            return true;
        }
    }
    return false;
}

bool CListTypeAhead::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_pView || event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    if (text.isEmpty() || !text.at(0).isPrint()) {
        // Arrows, Home, End and the like end the word being typed.
        if (key->key() != Qt::Key_Shift) m_strTyped.clear();
        return false;
    }
    if (!m_lastKey.isValid() || m_lastKey.elapsed() > QApplication::keyboardInputInterval())
        m_strTyped.clear();
    m_lastKey.restart();
    m_strTyped += text;
    if (!JumpTo(m_strTyped)) {
        m_strTyped = text;
        JumpTo(m_strTyped);
    }
    return true;
}

}  // namespace tarvex
