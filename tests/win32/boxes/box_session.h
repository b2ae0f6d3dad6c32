// One framework run per test suite for the box tests (see
// tests/support/session.h); the boxes belong to the user-program thread.
#ifndef KBX_BOXES_TEST_SESSION_H
#define KBX_BOXES_TEST_SESSION_H

#include <windows.h>

#include "tests/support/session.h"

namespace boxes_test {

using kbxtest::begin_on_user_thread;
using kbxtest::choose_first_item;
using kbxtest::close_popup;
using kbxtest::finish_step;
using kbxtest::MenuItem;
using kbxtest::on_user_thread;
using kbxtest::open_popup;
using kbxtest::popup_items;
using kbxtest::settle;

void start_session();
void end_session();

// Closes both boxes and puts their sizes back to the start values.
void reset_boxes();

// The keyboard focus of the user-program thread.
HWND user_focus();

// A child control's rectangle in its parent's client coordinates.
RECT child_rect(HWND child);

}  // namespace boxes_test

#endif
