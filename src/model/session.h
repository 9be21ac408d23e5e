// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide state of one open project, owned in one place and passed by reference.
#pragma once

#include <string>

#include "model/element_store.h"
#include "model/grid.h"
#include "model/sections.h"
#include "model/text_buffer.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "settings/settings.h"

namespace model {

inline constexpr const char* kDefaultProjectFile = "untitled.kel";
inline constexpr int kNewLineColour = 0xFF0000;

struct ProjectState {
    std::string path;  // the project name shown in the title
    bool modified = false;
};

class Session {
public:
    explicit Session(platform::Platform& platform, std::string programDir = ".");
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    platform::Platform& platform;
    std::string programDir;
    ElementStore store;
    ElementStore bankA;  // the project's store while a drawing uses `store`
    ElementStore bankB;
    TextBuffer texts;
    SectionTable sections;
    GridModel grid;
    GridHistory gridHistory;  // the grid of the steps that replaced it
    settings::Settings settings;
    ViewPlane view;
    ProjectState project;

    std::string defaultProjectPath() const;
    bool hasDefaultName() const { return project.path == defaultProjectPath(); }
};

// Empties the store, the text buffer and the grid's undo copies; with the project flag also the first section entry
// and the grid positions.
void initStore(Session& session, bool projectFlag);
// A fresh, unnamed and unmodified project.
void resetProject(Session& session);

enum class Bank { A, B };
// The store moves into the slot as it is (no copy); restoring moves it back.
void saveBank(Session& session, Bank slot);
void restoreBank(Session& session, Bank slot);

}  // namespace model
