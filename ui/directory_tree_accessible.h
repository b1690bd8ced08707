// A directory tree list (Dir1, Dir3) as assistive technology reads it: a tree whose entries are
// nested as the folders are, each chain folder expanded, each sub-directory of the open folder
// collapsed, so a screen reader can say an entry's level and whether it is open.
#pragma once

class QAccessibleInterface;

namespace kestro {

class DirectoryTreeList;

// Makes every DirectoryTreeList a tree to assistive technology. Call before a list is first
// queried (in its constructor); calling again does nothing.
void InstallDirectoryTreeAccessible();

// The entry of `row` of `list` as assistive technology knows it; nullptr when `row` is no entry.
QAccessibleInterface* DirectoryTreeEntry(DirectoryTreeList& list, int row);

}  // namespace kestro
