#include "platform/CellLineEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <algorithm>
#include <initializer_list>
#include <limits>

namespace vantrel {
namespace {

// How near the slice's edge the cursor may come before the slice moves on:
// far more than an editor shows, so that the edge is never in view.
int SliceMargin() { return CellLineEdit::SliceLength() / 4; }

bool MatchesAny(const QKeyEvent* event, std::initializer_list<QKeySequence::StandardKey> keys)
{
    return std::any_of(keys.begin(), keys.end(),
                       [event](QKeySequence::StandardKey key) { return event->matches(key); });
}

// Keys that go to the start of the text, or to its end, without selecting.
bool MovesToStart(const QKeyEvent* event)
{
    return MatchesAny(event, {QKeySequence::MoveToStartOfLine, QKeySequence::MoveToStartOfBlock,
                              QKeySequence::MoveToStartOfDocument});
}

bool MovesToEnd(const QKeyEvent* event)
{
    return MatchesAny(event, {QKeySequence::MoveToEndOfLine, QKeySequence::MoveToEndOfBlock,
                              QKeySequence::MoveToEndOfDocument});
}

bool SelectsToStart(const QKeyEvent* event)
{
    return MatchesAny(event, {QKeySequence::SelectStartOfLine, QKeySequence::SelectStartOfBlock,
                              QKeySequence::SelectStartOfDocument});
}

bool SelectsToEnd(const QKeyEvent* event)
{
    return MatchesAny(event, {QKeySequence::SelectEndOfLine, QKeySequence::SelectEndOfBlock,
                              QKeySequence::SelectEndOfDocument});
}

// A key a line edit does nothing with: ending the edit, moving the focus,
// a modifier pressed before its key.
bool LeavesTextAlone(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F35;
    }
}

// A key whose text replaces the selection.
bool TypesText(const QKeyEvent* event)
{
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

CellLineEdit::CellLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
}

QString CellLineEdit::FullText() const
{
    if (!Sliced())
        return QLineEdit::text();
    return before_ + QLineEdit::text() + after_;
}

void CellLineEdit::SetFullText(const QString& text)
{
    before_.clear();
    after_.clear();
    if (text.size() <= 2 * SliceLength()) {
        QLineEdit::setText(text);
        return;
    }
    // As a line edit does: the cursor at the end.
    QLineEdit::setText(QString());
    before_ = text;
    ShowAround(static_cast<int>(text.size()), static_cast<int>(text.size()));
}

void CellLineEdit::SelectInFullText(int start, int length) { ShowAround(start, start + length); }

int CellLineEdit::Anchor() const
{
    if (!hasSelectedText())
        return cursorPosition();
    return cursorPosition() == selectionStart() ? selectionEnd() : selectionStart();
}

int CellLineEdit::FullLength() const
{
    return static_cast<int>(before_.size() + QLineEdit::text().size() + after_.size());
}

bool CellLineEdit::WholeTextSelected() const
{
    return Sliced() && selectionStart() == 0 && selectionLength() == QLineEdit::text().size();
}

// The whole text selected has its anchor and cursor at the text's ends,
// whichever part of it the slice holds.
int CellLineEdit::FullCursorPosition() const
{
    if (WholeTextSelected())
        return cursorPosition() == 0 ? 0 : FullLength();
    return static_cast<int>(before_.size()) + cursorPosition();
}

int CellLineEdit::FullAnchor() const
{
    if (WholeTextSelected())
        return cursorPosition() == 0 ? FullLength() : 0;
    return static_cast<int>(before_.size()) + Anchor();
}

void CellLineEdit::ShowAround(int anchor, int cursor)
{
    const QString whole = FullText();
    const int size = static_cast<int>(whole.size());
    anchor = std::clamp(anchor, 0, size);
    cursor = std::clamp(cursor, 0, size);
    const int low = std::min(anchor, cursor);
    const int high = std::max(anchor, cursor);
    int start = 0;
    int end = size;
    if (size > 2 * SliceLength() && high - low <= SliceLength() - 2 * SliceMargin()) {
        start = std::clamp(low + (high - low) / 2 - SliceLength() / 2, 0, size - SliceLength());
        end = start + SliceLength();
    } else if (size > 2 * SliceLength() && low == 0 && high == size) {
        // The whole text selected: the slice holds the end the cursor is at,
        // so that moving from there goes where it would in the whole text.
        start = cursor == 0 ? 0 : size - SliceLength();
        end = start + SliceLength();
    }
    // A character of two UTF-16 units stays whole on one side.
    if (start > 0 && whole.at(start).isLowSurrogate())
        --start;
    if (end < size && whole.at(end).isLowSurrogate())
        ++end;
    before_ = whole.left(start);
    after_ = whole.mid(end);
    QLineEdit::setText(whole.mid(start, end - start));
    const auto local = [start, end](int position) { return std::clamp(position - start, 0, end - start); };
    if (anchor == cursor)
        setCursorPosition(local(cursor));
    else
        setSelection(local(anchor), local(cursor) - local(anchor));
}

void CellLineEdit::Unslice()
{
    const int anchor = FullAnchor();
    const int cursor = FullCursorPosition();
    const QString whole = FullText();
    before_.clear();
    after_.clear();
    QLineEdit::setText(whole);
    setSelection(anchor, cursor - anchor);
}

void CellLineEdit::FollowCursor()
{
    const int length = static_cast<int>(QLineEdit::text().size());
    if ((!Sliced() && length <= 2 * SliceLength()) || WholeTextSelected())
        return;
    const int anchor = Anchor();
    const int cursor = cursorPosition();
    const int low = std::min(anchor, cursor);
    const int high = std::max(anchor, cursor);
    const bool tooWide = high - low > SliceLength() - 2 * SliceMargin();
    // A selection too wide for a slice keeps the whole text in the line edit.
    if (tooWide && !Sliced())
        return;
    const bool nearEdge =
        (!before_.isEmpty() && low < SliceMargin()) || (!after_.isEmpty() && high > length - SliceMargin());
    if (tooWide || nearEdge || length > 2 * SliceLength())
        ShowAround(FullAnchor(), FullCursorPosition());
}

bool CellLineEdit::KeyOnWholeSelection(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
        QApplication::clipboard()->setText(FullText());
        if (event->matches(QKeySequence::Copy))
            return true;
        before_.clear();
        after_.clear();
        del();
        return true;
    }
    if (event->matches(QKeySequence::SelectAll))
        return true;
    if (LeavesTextAlone(event))
        return false;
    if (KeyToEitherEnd(event))
        return true;
    // What replaces the whole text may replace the slice alone.
    if (TypesText(event) || event->key() == Qt::Key_Backspace || event->matches(QKeySequence::Delete) ||
        event->matches(QKeySequence::Paste)) {
        before_.clear();
        after_.clear();
        return false;
    }
    // A move from the cursor finds the slice at the end the cursor is at.
    if (MatchesAny(event, {QKeySequence::MoveToPreviousChar, QKeySequence::MoveToNextChar,
                           QKeySequence::MoveToPreviousWord, QKeySequence::MoveToNextWord})) {
        ShowAround(FullAnchor(), FullCursorPosition());
        return false;
    }
    // Anything else on the whole text sees the whole text.
    Unslice();
    return false;
}

bool CellLineEdit::KeyToEitherEnd(QKeyEvent* event)
{
    const int size = FullLength();
    if (MovesToStart(event))
        ShowAround(0, 0);
    else if (MovesToEnd(event))
        ShowAround(size, size);
    else if (SelectsToStart(event))
        ShowAround(FullAnchor(), 0);
    else if (SelectsToEnd(event))
        ShowAround(FullAnchor(), size);
    else
        return false;
    return true;
}

void CellLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (Sliced() && (WholeTextSelected() ? KeyOnWholeSelection(event) : KeyToEitherEnd(event))) {
        event->accept();
        return;
    }
    if (!Sliced()) {
        QLineEdit::keyPressEvent(event);
        FollowCursor();
        return;
    }
    // The cursor never comes near the slice's edge by a key, except by one
    // that reaches across a word longer than what is left of the slice:
    // that key is done again on the whole text.
    const QString slice = QLineEdit::text();
    const int anchor = Anchor();
    const int cursor = cursorPosition();
    QLineEdit::keyPressEvent(event);
    const bool atEdge = (cursorPosition() == 0 && !before_.isEmpty()) ||
                        (cursorPosition() == QLineEdit::text().size() && !after_.isEmpty());
    if (atEdge) {
        QLineEdit::setText(slice);
        setSelection(anchor, cursor - anchor);
        Unslice();
        QLineEdit::keyPressEvent(event);
    }
    FollowCursor();
}

void CellLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (WholeTextSelected() && (!event->commitString().isEmpty() || !event->preeditString().isEmpty())) {
        before_.clear();
        after_.clear();
    }
    QLineEdit::inputMethodEvent(event);
    FollowCursor();
}

void CellLineEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    FollowCursor();
}

void CellLineEdit::mouseMoveEvent(QMouseEvent* event)
{
    QLineEdit::mouseMoveEvent(event);
    FollowCursor();
}

void CellLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    FollowCursor();
}

void CellLineEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    FollowCursor();
}

void CellLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The menu's actions act on the line edit's text.
    if (WholeTextSelected())
        Unslice();
    QLineEdit::contextMenuEvent(event);
    FollowCursor();
}

void CellLineEdit::dropEvent(QDropEvent* event)
{
    if (WholeTextSelected())
        Unslice();
    QLineEdit::dropEvent(event);
    FollowCursor();
}

} // namespace vantrel
