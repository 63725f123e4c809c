#pragma once

#include <QStyle>
#include <QToolBar>

class QDialog;

// The toolbar along the top of a dialog. Its buttons show their caption
// beside the icon, are told apart by their key (the object name of action
// and button alike) and are named for assistive tools by their caption.
class DialogToolBar : public QToolBar {
    Q_OBJECT
public:
    // Sits above the owner's layout, which must be set already.
    explicit DialogToolBar(QDialog& owner);

    QAction* AddButton(const QString& key, const QString& caption, const QString& tip, QStyle::StandardPixmap icon);
    // "help", for the caller to connect to its help page.
    QAction* AddHelpButton();
    // "close", which closes the owner.
    void AddCloseButton();

private:
    QDialog& m_owner;
};
