// Where the counters stand on the board, and what they leave free.
#pragma once

// The counters' columns (each is centred on its column) and their row.
const int CURRENCY_VIEW_X = 55;
const int WAVE_VIEW_X = 40;
const int LIVES_VIEW_X = 6;
const int COUNTER_ROW = 1;

// The counters' frames take the rows just above and below COUNTER_ROW; the
// playing field, where turrets may stand, starts under them.
const int FIELD_TOP_ROW = COUNTER_ROW + 2;
