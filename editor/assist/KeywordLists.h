#pragma once
// The VBScript word lists: the keyword sets of the colouring and the words
// of the completion list. Built once at start-up, released by the exit
// routine, unchanged in between.
#include <QString>

// All keyword groups joined, words in their written case, each word followed
// by one space; duplicates kept (RGB stands twice in a row).
extern QString KeywordList;
// The member names of the file system object, each followed by one space.
extern QString FileObjectMemberList;

void BuildKeywordLists();
void ReleaseKeywordLists();
