// SPDX-License-Identifier: GPL-3.0-or-later
// Command codes of every menu item, toolbar button, popup item and hot key; grouped by
// hundreds: 1xx file, 2xx delete, 3xx view and display, 4xx sections and members, 5xx
// drawings, 7xx line editing, 8xx grid and dump, 9xx exit, help and test.
#pragma once

namespace editor::cmd {

inline constexpr int IDLE = 1;

inline constexpr int FILE_NEW = 101;
inline constexpr int FILE_OPEN = 102;
inline constexpr int FILE_SAVE = 103;
inline constexpr int FILE_SAVE_AS = 104;
inline constexpr int FILE_DXF = 107;
inline constexpr int DRAFT_SETTINGS = 108;
inline constexpr int FILE_STB_IMPORT = 105;
inline constexpr int FILE_STB_EXPORT = 106;

inline constexpr int INERT_203 = 203;
inline constexpr int INERT_206 = 206;
inline constexpr int DELETE = 207;

inline constexpr int REDRAW = 301;
inline constexpr int FIT_ALL = 302;
inline constexpr int ZOOM_WINDOW = 304;
inline constexpr int GRID = 307;
inline constexpr int GRID_DIVISOR_1 = 308;  // 308..311 = 1/1 .. 1/4
inline constexpr int GRID_DIVISOR_4 = 311;
inline constexpr int GRID_DISTANCE = 312;
inline constexpr int PROPERTY = 313;
inline constexpr int GRID_ORIGIN = 315;
inline constexpr int LINE_END_MARK = 316;
inline constexpr int LINE_DIRECTION_MARK = 317;
inline constexpr int MEMBER_NAME = 351;
inline constexpr int DIMENSIONS = 353;
inline constexpr int GRID_LINES_SHOWN = 354;
inline constexpr int MEMBER_NUMBER = 355;
inline constexpr int DATA_NUMBER = 356;

inline constexpr int SMALL_BEAM = 409;
inline constexpr int GIRDER_MARK = 412;
inline constexpr int COLUMN_MARK = 414;
inline constexpr int FLOOR_ADD = 415;
inline constexpr int GIRDER_SECTIONS = 416;
inline constexpr int COLUMN_SECTIONS = 417;
inline constexpr int VIEW_3D = 443;
inline constexpr int CSV_IMPORT = 451;
inline constexpr int CSV_EXPORT = 452;

inline constexpr int DRAW_FRAMING = 501;
inline constexpr int DRAW_COLUMN_LIST = 502;
inline constexpr int DRAW_GIRDER_LIST = 503;
inline constexpr int DRAW_EMPTY = 504;
inline constexpr int DRAW_REBAR = 505;
inline constexpr int QUANTITIES = 506;
inline constexpr int CHECKS = 507;

inline constexpr int LINE = 701;
inline constexpr int PARALLEL = 702;
inline constexpr int EXTEND_CUT = 707;
inline constexpr int CUT_AT_CROSSINGS = 708;
inline constexpr int MEMBERS_TO_LINES = 709;

inline constexpr int GRID_CREATE = 812;
inline constexpr int GRID_OFFSETS = 813;
inline constexpr int DUMP = 814;

inline constexpr int EXIT = 911;
inline constexpr int HELP_HOME = 951;
inline constexpr int HELP_MANUAL = 952;
inline constexpr int HELP_REFERENCE = 953;
inline constexpr int VERSION = 954;
inline constexpr int TEST_01 = 991;
inline constexpr int TEST_02 = 992;

}  // namespace editor::cmd
