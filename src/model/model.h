// SPDX-License-Identifier: GPL-3.0-or-later
// The data of one open project, owned in one place and passed by reference. The session adds
// the settings and the window system on top of it.
#pragma once

#include <string>

#include "model/element_store.h"
#include "model/grid.h"
#include "model/sections.h"
#include "model/text_buffer.h"
#include "model/undo.h"

namespace model {

inline constexpr const char* kDefaultProjectFile = "untitled.kel";
inline constexpr int kNewLineColour = 0xFF0000;

struct ProjectState {
    std::string path;  // the project name shown in the title
    bool modified = false;
};

class Model {
public:
    explicit Model(std::string programDir = ".");
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    std::string programDir;
    ElementStore store;
    ElementStore bankA;  // the project's store while a drawing uses `store`
    ElementStore bankB;
    TextBuffer texts;
    SectionTable sections;
    GridModel grid;
    GridHistory gridHistory;  // the grid of the steps that replaced it
    ViewPlane view;
    ProjectState project;

    std::string defaultProjectPath() const;
    bool hasDefaultName() const { return project.path == defaultProjectPath(); }
};

// Empties the store, the text buffer and the grid's undo copies; with the project flag also the first section entry
// and the grid positions.
void initStore(Model& model, bool projectFlag);
// A fresh, unnamed and unmodified project.
void resetProject(Model& model);

enum class Bank { A, B };
// The store moves into the slot as it is (no copy); restoring moves it back.
void saveBank(Model& model, Bank slot);
void restoreBank(Model& model, Bank slot);

}  // namespace model
