#pragma once
// String table ids of every text the dialogs show besides their templates.
// Shared by the resource script (Texts.rc) and the code, so only
// preprocessor definitions here. Ids of one table block (16 strings) stay
// together; string 1, the saver's name, lives in the program's own script.

// Empty and out-of-range messages of the numeric fields. The range texts
// are printf formats taking the lower and upper bound.
#define IDS_FPS_EMPTY 200
#define IDS_FPS_RANGE 201
#define IDS_DROP_EMPTY 202
#define IDS_DROP_RANGE 203
#define IDS_TIME_EMPTY 204
#define IDS_TIME_RANGE 205
#define IDS_WIDTH_EMPTY 206
#define IDS_WIDTH_RANGE 207
#define IDS_HEIGHT_EMPTY 208
#define IDS_HEIGHT_RANGE 209
#define IDS_SCENE_TIME_EMPTY 210
#define IDS_SCENE_TIME_RANGE 211
#define IDS_SCENE_WIDTH_EMPTY 212
#define IDS_SCENE_WIDTH_RANGE 213
#define IDS_SCENE_HEIGHT_EMPTY 214
#define IDS_SCENE_HEIGHT_RANGE 215

// Play-list and reset questions; %ls is a scene's name.
#define IDS_ALREADY_IN_LIST 224
#define IDS_NOTHING_TO_REMOVE 225
#define IDS_CONFIRM_REMOVE 226
#define IDS_CONFIRM_RESET 227
// The name dialog as the settings dialog opens it; %d is the length limit.
#define IDS_NAME_TITLE 228
#define IDS_NAME_PROMPT 229

// The data-file notices, put together from these pieces.
#define IDS_UNREAD_FILE 240
#define IDS_UNREAD_REASON 241
#define IDS_KEPT_COPY 242
#define IDS_KEPT_ORIGINAL 243
#define IDS_FILLED_IN 244
#define IDS_NOT_SAVED 245
#define IDS_NO_SAVE_PLACE 246
#define IDS_REASON_NOT_A_FILE 247
#define IDS_REASON_NOT_OPENED 248
#define IDS_REASON_STREAM_ERROR 249
#define IDS_REASON_TOO_SHORT 250
#define IDS_REASON_BAD_ID 251
#define IDS_REASON_UNKNOWN 252
// A folder in the settings file's place; %ls is its path.
#define IDS_DATA_FILE_IS_FOLDER 253

// Choice-list entries, first id + the stored value.
#define IDS_PATTERN_FIRST 256
#define IDS_TILING_FIRST 272
