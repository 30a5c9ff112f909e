#pragma once

#include <qnamespace.h>
#include <QString>
#include <functional>

class QComboBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace brezzolo {

// The drive, folder and file lists of the folder dialog.

// Item data role under which folder and drive list items keep their full path.
inline constexpr int kFolderPathRole = Qt::UserRole;

// A folder as the dialog shows and stores it: the platform's native separators and no
// trailing separator except at a root ("C:\", "/").
QString folderText(const QString& path);

// One drive list and one folder list working together. The folder list is a small tree: the
// chain of folders from the root down to the current folder, then the current folder's
// subfolders; activating any of them (double click, Enter) opens it. Opening a folder or choosing
// another drive is the user's change and calls the change handler with the new folder; showFolder()
// points the lists without calling it.
class FolderPicker {
  public:
    using ChangeHandler = std::function<void(const QString& folder)>;

    FolderPicker(QComboBox* drives, QTreeWidget* folders, ChangeHandler onChange);

    // Points both lists at the folder (or its nearest existing parent).
    void showFolder(const QString& folder);
    // The user's way in: opens a folder as if activated in the list.
    void openFolder(const QString& folder);

  private:
    void driveChosen(int index);
    void itemActivated(const QTreeWidgetItem* item);
    void fill(const QString& existingFolder);
    static QString nearestExistingFolder(const QString& folder);

    QComboBox* drives_;
    QTreeWidget* folders_;
    ChangeHandler onChange_;
    QString folder_;
};

}  // namespace brezzolo
