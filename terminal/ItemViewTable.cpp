#include "terminal/ItemViewTable.h"

namespace {

struct Row {
    std::uint32_t firstItem;
    std::uint32_t lastItem;
    std::uint32_t firstView;
};

// Rows in table order: the first item of every row and its view form the pairs of
// the reverse lookup; single ids are rows of one.
constexpr Row kRows[] = {
    {1, 1, 1},         {2, 2, 2},         {3, 3, 3},          {4, 4, 4},          {5, 5, 5},
    {6, 6, 6},         {7, 7, 13017},     {8, 8, 8},          {9, 9, 9},          {10, 10, 10},
    {11, 11, 11},      {12, 12, 12},      {13, 13, 13},       {14, 14, 15},       {15, 15, 16},
    {16, 16, 17},      {17, 17, 18},      {18, 18, 19},       {19, 19, 20},       {20, 20, 21},
    {21, 21, 22},      {22, 22, 23},      {23, 23, 24},       {24, 24, 25},       {25, 74, 2000},
    {75, 124, 3000},   {125, 159, 4000},  {160, 209, 5000},   {210, 210, 6000},   {211, 211, 6001},
    {212, 261, 7000},  {262, 311, 8000},  {312, 346, 9000},   {347, 396, 10000},  {397, 397, 11000},
    {398, 398, 11001}, {399, 448, 12000}, {449, 449, 13000},  {450, 450, 13001},  {451, 451, 13002},
    {452, 452, 13003}, {453, 453, 13004}, {454, 454, 13005},  {455, 455, 13006},  {456, 456, 13007},
    {457, 457, 13008}, {458, 458, 13009}, {459, 459, 13010},  {460, 460, 13011},  {461, 461, 13012},
    {1000, 1000, 13017},
};

}  // namespace

int ItemToView(std::uint32_t itemId, std::uint32_t* viewId)
{
    for (const Row& row : kRows) {
        if (itemId >= row.firstItem && itemId <= row.lastItem) {
            if (viewId != nullptr) {
                *viewId = row.firstView + (itemId - row.firstItem);
            }
            return 1;
        }
    }
    return 0;
}

int ViewToItem(std::uint32_t viewId, std::uint32_t* itemId)
{
    for (const Row& row : kRows) {
        if (row.firstView == viewId) {
            if (itemId != nullptr) {
                *itemId = row.firstItem;
            }
            return 1;
        }
    }
    return 0;
}
