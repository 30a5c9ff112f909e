#include "qt/folder_lists.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QStyle>
#include <QTreeWidget>
#include <utility>

#include "app/folder_lists.h"
#include "qt/qt_text.h"

namespace brezzolo {
namespace {

// The folders from the root down to this one, each in Qt's own '/' form.
QStringList folderChain(const QString& folder) {
    QStringList chain;
    QString current = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    for (;;) {
        chain.prepend(current);
        const QString parent = QFileInfo(current).absolutePath();
        if (parent == current) {
            break;
        }
        current = parent;
    }
    return chain;
}

QString rootOf(const QString& folder) {
    return folderText(folderChain(folder).first());
}

bool sameRoot(const QString& a, const QString& b) {
    // Drive letters come in either case on Windows; elsewhere there is one root.
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QTreeWidgetItem* addFolderItem(QTreeWidgetItem* item, const QString& text, const QString& path,
                               QStyle::StandardPixmap icon) {
    item->setText(0, text);
    item->setIcon(0, QApplication::style()->standardIcon(icon));
    item->setData(0, kFolderPathRole, path);
    return item;
}

}  // namespace

QString folderText(const QString& path) {
    return qtText(brezzolo::folderText(coreText(path)));
}

FolderPicker::FolderPicker(QComboBox* drives, QTreeWidget* folders, ChangeHandler onChange)
    : drives_(drives), folders_(folders), onChange_(std::move(onChange)) {
    // Always fully open: the tree is a list of folders, indented by depth.
    folders_->setColumnCount(1);
    folders_->setHeaderHidden(true);
    folders_->setRootIsDecorated(false);
    folders_->setItemsExpandable(false);
    folders_->setExpandsOnDoubleClick(false);
    folders_->setIndentation(14);
    folders_->setUniformRowHeights(true);
    // Nothing folds, so no fold markers.
    folders_->setStyleSheet(QStringLiteral("QTreeView::branch { image: none; }"));
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = folderText(drive.absoluteFilePath());
        drives_->addItem(root, root);
    }
    // activated: only the user's choice, not the selection made by showFolder().
    QObject::connect(drives_, &QComboBox::activated, drives_,
                     [this](int index) { driveChosen(index); });
    // One click opens and chooses a folder, as a double click or Enter does.
    QObject::connect(folders_, &QTreeWidget::itemActivated, folders_,
                     [this](const QTreeWidgetItem* item) { itemActivated(item); });
    QObject::connect(folders_, &QTreeWidget::itemClicked, folders_,
                     [this](const QTreeWidgetItem* item) { itemActivated(item); });
}

void FolderPicker::showFolder(const QString& folder) {
    fill(nearestExistingFolder(folder));
}

void FolderPicker::openFolder(const QString& folder) {
    fill(nearestExistingFolder(folder));
    onChange_(folder_);
}

QString FolderPicker::nearestExistingFolder(const QString& folder) {
    return qtText(brezzolo::nearestExistingFolder(coreText(folder)));
}

void FolderPicker::driveChosen(int index) {
    const QString root = drives_->itemData(index).toString();
    if (sameRoot(root, rootOf(folder_))) {
        return;
    }
    if (!QFileInfo(QDir::fromNativeSeparators(root)).isDir()) {
        // A drive that is not ready: stay where we are.
        fill(folder_);
        return;
    }
    openFolder(root);
}

void FolderPicker::itemActivated(const QTreeWidgetItem* item) {
    const QString folder = item->data(0, kFolderPathRole).toString();
    if (folder != folder_) {
        openFolder(folder);
    }
}

void FolderPicker::fill(const QString& existingFolder) {
    folder_ = existingFolder;
    const QStringList chain = folderChain(existingFolder);

    const QString root = folderText(chain.first());
    int driveIndex = -1;
    for (int i = 0; i < drives_->count(); ++i) {
        if (sameRoot(drives_->itemData(i).toString(), root)) {
            driveIndex = i;
        }
    }
    if (driveIndex < 0) {
        drives_->addItem(root, root);
        driveIndex = drives_->count() - 1;
    }
    drives_->setCurrentIndex(driveIndex);

    folders_->clear();
    QTreeWidgetItem* current = nullptr;
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString path = folderText(chain[depth]);
        const QString name = depth == 0 ? path : QFileInfo(chain[depth]).fileName();
        auto* item =
            current == nullptr ? new QTreeWidgetItem(folders_) : new QTreeWidgetItem(current);
        current = addFolderItem(item, name, path, QStyle::SP_DirOpenIcon);
    }
    const QDir shown(chain.last());
    for (const QString& name :
         shown.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        addFolderItem(new QTreeWidgetItem(current), name, folderText(shown.filePath(name)),
                      QStyle::SP_DirClosedIcon);
    }
    folders_->expandAll();
    folders_->setCurrentItem(current);
    folders_->scrollToItem(current);
}

}  // namespace brezzolo
