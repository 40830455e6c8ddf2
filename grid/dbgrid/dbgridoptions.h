#pragma once
// The option sets, cell kinds and event types of the data-aware grid. Bit
// positions are fixed because the form stream stores the sets as numbers:
// Options [dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines,
// dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit] is stored as 3325.

#include <QtGlobal>

namespace kx {

using TDBGridOptions = quint32;
constexpr TDBGridOptions dgEditing = 1u << 0;
constexpr TDBGridOptions dgAlwaysShowEditor = 1u << 1;
constexpr TDBGridOptions dgTitles = 1u << 2;
constexpr TDBGridOptions dgIndicator = 1u << 3;
constexpr TDBGridOptions dgColumnResize = 1u << 4;
constexpr TDBGridOptions dgColLines = 1u << 5;
constexpr TDBGridOptions dgRowLines = 1u << 6;
constexpr TDBGridOptions dgTabs = 1u << 7;
constexpr TDBGridOptions dgRowSelect = 1u << 8;
constexpr TDBGridOptions dgAlwaysShowSelection = 1u << 9;
constexpr TDBGridOptions dgConfirmDelete = 1u << 10;
constexpr TDBGridOptions dgCancelOnExit = 1u << 11;
constexpr TDBGridOptions dgMultiSelect = 1u << 12;

using TDBGridOptionsX = quint32;
constexpr TDBGridOptionsX dghFixed3D = 1u << 0;
constexpr TDBGridOptionsX dghFrozen3D = 1u << 1;
constexpr TDBGridOptionsX dghFooter3D = 1u << 2;
constexpr TDBGridOptionsX dghData3D = 1u << 3;
constexpr TDBGridOptionsX dghResizeWholeRightPart = 1u << 4;
constexpr TDBGridOptionsX dghHighlightFocus = 1u << 5;
constexpr TDBGridOptionsX dghClearSelection = 1u << 6;
constexpr TDBGridOptionsX dghFitRowHeightToText = 1u << 7;
constexpr TDBGridOptionsX dghAutoSortMarking = 1u << 8;
constexpr TDBGridOptionsX dghMultiSortMarking = 1u << 9;
constexpr TDBGridOptionsX dghEnterAsTab = 1u << 10;
constexpr TDBGridOptionsX dghTraceColSizing = 1u << 11;
constexpr TDBGridOptionsX dghIncSearch = 1u << 12;
constexpr TDBGridOptionsX dghPreferIncSearch = 1u << 13;
constexpr TDBGridOptionsX dghRowHighlight = 1u << 14;
constexpr TDBGridOptionsX dghDblClickOptimizeColWidth = 1u << 15;
constexpr TDBGridOptionsX dghDialogFind = 1u << 16;
constexpr TDBGridOptionsX dghRecordMoving = 1u << 17;

using TDBGridAllowedOperations = quint8;
constexpr TDBGridAllowedOperations alopInsertX = 1u << 0;
constexpr TDBGridAllowedOperations alopUpdateX = 1u << 1;
constexpr TDBGridAllowedOperations alopDeleteX = 1u << 2;
constexpr TDBGridAllowedOperations alopAppendX = 1u << 3;

enum TDBGridSelectionType : quint8 { gstNon, gstRecordBookmarks, gstRectangle, gstColumns, gstAll };
using TDBGridSelectionTypes = quint8;
constexpr TDBGridSelectionTypes SelectionTypeBit(TDBGridSelectionType type) {
    return static_cast<TDBGridSelectionTypes>(1u << type);
}

// Kinds of the grid's cells as GetCellType answers them.
enum TCellAreaKind : quint8 { cakIndicator, cakTitle, cakFilter, cakData, cakFooter, cakOutside };

} // namespace kx
