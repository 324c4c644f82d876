#pragma once

class QAbstractItemView;
class QDialog;
class QWidget;
class TImageButton;

// The program's window background, RGB (255, 204, 102).
void ApplyWindowColour(QWidget* widget);

// The folder tree's and message list's look: the window colour as background, and a selection
// that stays visible while another control has the focus.
void ApplyViewColours(QAbstractItemView* view);

// The layout of the small folder dialogs: a caption, the field under it, and the OK and Cancel
// picture buttons at the bottom right. Cancel rejects the dialog; OK is the caller's to connect.
struct DialogButtons {
    TImageButton* ok;
    TImageButton* cancel;
};
DialogButtons LayOutFolderDialog(QDialog* dialog, QWidget* caption, QWidget* field);
