// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the support library non-empty; the helpers themselves live in headers.
#include "support/recording_platform.h"
