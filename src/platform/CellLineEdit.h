#pragma once

#include <QLineEdit>

namespace vantrel {

// The editor of a grid cell: a line edit for a text of any length, as a cell
// holds whatever a file can (a plain line edit cuts at 32,767 characters and
// lays out its whole text on every key and every repaint).
//
// A long text is shown through a window: the line edit itself holds a slice
// of a few thousand characters around the cursor and the selection, the rest
// waits on either side, and the slice moves on with the cursor. Typing,
// moving and painting cost what the slice costs, whatever the text's length.
// The whole text selected (as the view selects it when the editor opens, or
// Ctrl+A) stays one selection: typing, deleting, cutting or copying act on
// the whole text. Only a selection wider than a slice, or an action on the
// whole selection other than those, puts the whole text in the line edit.
// Moving the slice clears the line edit's undo history.
//
// The item view reads and writes the whole text (its "text" property).
class CellLineEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString text READ FullText WRITE SetFullText USER true)
public:
    explicit CellLineEdit(QWidget* parent = nullptr);

    // The longest slice the line edit holds; a text up to twice as long is
    // held whole. Tests shorten it to walk across slices in a few keys.
    static int SliceLength() { return sliceLength_; }
    static void SetSliceLengthForTesting(int length) { sliceLength_ = length; }

    QString FullText() const;
    // Sets the whole text, with the cursor at its end.
    void SetFullText(const QString& text);
    // Selects `length` UTF-16 units of the whole text from `start`, the
    // cursor after them, and brings them into view.
    void SelectInFullText(int start, int length);
    int FullCursorPosition() const;
    int FullLength() const;
    // True while part of the text waits outside the line edit.
    bool Sliced() const { return !before_.isEmpty() || !after_.isEmpty(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The whole text selected while only a slice is in the line edit.
    bool WholeTextSelected() const;
    // Handles a key on the whole text selected; false to leave it to the
    // line edit.
    bool KeyOnWholeSelection(QKeyEvent* event);
    // Handles a key that moves to the start or end of the whole text.
    bool KeyToEitherEnd(QKeyEvent* event);
    // Puts the slice around `anchor` and `cursor` (whole-text positions)
    // and selects from one to the other; the whole text when they are too
    // far apart or the text is short.
    void ShowAround(int anchor, int cursor);
    // Moves the slice on when the cursor or the selection came near its
    // edge, or when the line edit took in a long text (a paste).
    void FollowCursor();
    // The whole text into the line edit, the selection kept.
    void Unslice();
    // The selection's fixed end, in the line edit and in the whole text.
    int Anchor() const;
    int FullAnchor() const;

    static inline int sliceLength_ = 2048;
    QString before_;
    QString after_;
};

} // namespace vantrel
