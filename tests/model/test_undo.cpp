// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo by step ages: every sequence of edits, undos and redos keeps the live set
// consistent, and a new step forgets what could have been redone.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "model/element_store.h"
#include "model/undo.h"
#include "session/session.h"
#include "support/recording_platform.h"

using namespace model;

namespace {
std::set<int> liveSet(const ElementStore& s)
{
    std::set<int> live;
    for (int c = -1; s.nextLive(c);) live.insert(c);
    return live;
}
int addLine(ElementStore& s, double x)
{
    return s.addElem(kind::LINE, 0, 1, -1, 0, 0, x, 0, 0, x, 100, 0, 0);
}
}  // namespace

TEST(Undo, DrawUndoDrawDiscardsTheUndoneLine)
{
    ElementStore s;
    newStep(s);
    int first = addLine(s, 0);
    EXPECT_TRUE(undoStep(s));
    EXPECT_TRUE(s.isDead(first));
    newStep(s);
    int second = addLine(s, 10);
    EXPECT_EQ(s.at(first).kind, kind::DISCARDED);
    EXPECT_FALSE(redoStep(s));
    EXPECT_FALSE(s.isDead(second));
    EXPECT_TRUE(s.isDead(first));
}

TEST(Undo, DeleteUndoDrawRedoKeepsTheFirstLine)
{
    ElementStore s;
    int a = addLine(s, 0);
    newStep(s);
    s.delElem(a);
    undoStep(s);
    EXPECT_FALSE(s.isDead(a));
    newStep(s);
    addLine(s, 5);
    EXPECT_FALSE(redoStep(s));
    EXPECT_FALSE(s.isDead(a));
}

TEST(Undo, DesignationUndoRedoSwapsLineAndGirder)
{
    ElementStore s;
    int line = addLine(s, 0);
    newStep(s);
    s.delElem(line);
    int girder = s.addElem(kind::GIRDER, 0, 1, s.at(line).UID, 1, 0, 0, 0, 0, 0, 100, 0, 0);
    undoStep(s);
    EXPECT_EQ(liveSet(s), std::set<int>{line});
    redoStep(s);
    EXPECT_EQ(liveSet(s), std::set<int>{girder});
}

// The records a project was opened with are the floor: undo never empties an opened model.
TEST(Undo, UndoRightAfterOpeningKeepsEveryElement)
{
    ElementStore s;
    for (int i = 0; i < 5; ++i) addLine(s, i);  // ages as the reader leaves them
    EXPECT_FALSE(undoStep(s));
    EXPECT_EQ(liveSet(s).size(), 5u);
    EXPECT_FALSE(redoStep(s));
    // One edit, undone: back at the floor, where a second undo does nothing either.
    newStep(s);
    const int added = addLine(s, 9);
    EXPECT_TRUE(undoStep(s));
    EXPECT_TRUE(s.isDead(added));
    EXPECT_FALSE(undoStep(s));
    EXPECT_EQ(liveSet(s).size(), 5u);
    EXPECT_TRUE(redoStep(s));
    EXPECT_FALSE(s.isDead(added));
    // Emptying the store (new project) puts the floor under whatever comes next.
    s.clear();
    addLine(s, 1);
    EXPECT_FALSE(undoStep(s));
}

TEST(Undo, EmptyProjectUndoRedoOnlyMarkModified)
{
    testing_support::RecordingPlatform platform;
    Session session(platform);
    EXPECT_FALSE(undoCommand(session, session.settings.draft.gridNaming));
    EXPECT_TRUE(session.project.modified);
    EXPECT_FALSE(redoCommand(session, session.settings.draft.gridNaming));
    EXPECT_EQ(session.store.count(), 0);
}

TEST(Undo, RandomEditSequencesUndoToStartAndRedoToEnd)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 40; ++round) {
        ElementStore s;
        for (int i = 0; i < 3; ++i) addLine(s, i);
        std::set<int> start = liveSet(s);
        std::vector<std::set<int>> states{start};
        int steps = 1 + static_cast<int>(rng() % 8);
        for (int k = 0; k < steps; ++k) {
            newStep(s);
            int edits = 1 + static_cast<int>(rng() % 3);
            for (int e = 0; e < edits; ++e) {
                std::set<int> live = liveSet(s);
                if (!live.empty() && rng() % 2) {
                    auto it = live.begin();
                    std::advance(it, rng() % live.size());
                    s.delElem(*it);
                } else {
                    addLine(s, 100 + k);
                }
            }
            states.push_back(liveSet(s));
        }
        for (int k = steps; k > 0; --k) {
            ASSERT_TRUE(undoStep(s));
            ASSERT_EQ(liveSet(s), states[static_cast<size_t>(k - 1)]) << "round " << round << " undo to " << k - 1;
        }
        for (int k = 1; k <= steps; ++k) {
            ASSERT_TRUE(redoStep(s));
            ASSERT_EQ(liveSet(s), states[static_cast<size_t>(k)]) << "round " << round << " redo to " << k;
        }
        EXPECT_FALSE(redoStep(s));
        // Two undos and two redos come back to the same ages exactly.
        std::vector<std::pair<int, int>> ages;
        for (const Element& e : s.records()) ages.emplace_back(e.showAge, e.delAge);
        if (steps >= 2) {
            undoStep(s);
            undoStep(s);
            redoStep(s);
            redoStep(s);
            std::vector<std::pair<int, int>> again;
            for (const Element& e : s.records()) again.emplace_back(e.showAge, e.delAge);
            EXPECT_EQ(ages, again);
        }
    }
}
