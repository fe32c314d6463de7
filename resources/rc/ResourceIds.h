// The numbers of the language resource module VornMaterialPaletteRC: string
// resources, dialog templates and the identifiers of their controls, menus and
// their commands, bitmaps, images and cursors. The palette module and the
// resource module both include this header, so the two always agree.
//
// String numbers and control numbers are separate name spaces: the same
// number may be a string and a control (15299, 15950) or a command and a tab
// text (15429, 15474, 15475).
#pragma once

using ResourceNumber = unsigned int;

// ---------------------------------------------------------------------------
// Strings (RT_STRING)
// ---------------------------------------------------------------------------

// Style names and tooltips, asked for by the style objects.
constexpr ResourceNumber IDS_STYLE_SOLID_TOOLTIP = 15439;     // solid and colour-wheel style tooltip
constexpr ResourceNumber IDS_STYLE_GRADIENT_TOOLTIP = 15440;  // gradient style tooltip
constexpr ResourceNumber IDS_STYLE_PATTERN_TOOLTIP = 15441;   // pattern style tooltip
constexpr ResourceNumber IDS_STYLE_ART_MEDIA_TOOLTIP = 15422; // art-media style tooltip
constexpr ResourceNumber IDS_STYLE_TEXTURE_TOOLTIP = 15433;   // texture-as-a-style tooltip
constexpr ResourceNumber IDS_STYLE_SOLID_NAME = 15443;    // solid, colour-wheel and art-media name (tab text)
constexpr ResourceNumber IDS_STYLE_GRADIENT_NAME = 15444; // gradient style name
constexpr ResourceNumber IDS_STYLE_PATTERN_NAME = 15445;  // pattern style name
constexpr ResourceNumber IDS_STYLE_TEXTURE_NAME = 15942;  // texture-as-a-style name

// The Materials pane.
constexpr ResourceNumber IDS_PANE_CAPTION = 15473;        // caption of the pane
constexpr ResourceNumber IDS_TAB_RAINBOW = 15428;         // classic tab set: rainbow picker
constexpr ResourceNumber IDS_TAB_SWATCHES = 15429;        // both tab sets: swatches
constexpr ResourceNumber IDS_TAB_RING = 15453;            // classic tab set: ring picker
constexpr ResourceNumber IDS_TAB_HSL_MAP = 15474;         // new tab set: hue/saturation/lightness map
constexpr ResourceNumber IDS_TAB_SLIDERS = 15475;         // new tab set: sliders
constexpr ResourceNumber IDS_TT_SWAP = 15430;             // tooltip of the swap button
constexpr ResourceNumber IDS_TT_SWAP_SMALL = 15431;       // tooltip of the small swap button
constexpr ResourceNumber IDS_TT_APPLY_TO_ALL = 15432;     // tooltip of the apply-to-all check box
constexpr ResourceNumber IDS_TT_BLACK_WHITE = 15472;      // tooltip of the black/white button
constexpr ResourceNumber IDS_TT_ADD_SWATCH = 15479;       // tooltip of the add-swatch tool button
constexpr ResourceNumber IDS_TT_REMOVE_SWATCH = 15480;    // tooltip of the remove-swatch tool button
constexpr ResourceNumber IDS_TT_DROPPER = 15481;          // tooltip of the dropper tool button
constexpr ResourceNumber IDS_NAME_BACK_MATERIAL = 15449;  // name of the background material control
constexpr ResourceNumber IDS_NAME_FORE_MATERIAL = 15450;  // name of the foreground material control
constexpr ResourceNumber IDS_NAME_FORE_SOLID = 15451;     // name of the foreground solid-colour control
constexpr ResourceNumber IDS_NAME_BACK_SOLID = 15452;     // name of the background solid-colour control
constexpr ResourceNumber IDS_RECENTLY_USED_TITLE = 15478; // title line of the recently used strip

// The swatch picker and its dialogs.
constexpr ResourceNumber IDS_TT_SWATCH_OPTIONS = 15437;       // tooltip of the options button
constexpr ResourceNumber IDS_BUILTIN_CATEGORY_NAME = 15487;   // shown for the built-in category "Tavor_14"
constexpr ResourceNumber IDS_SWATCH_REFUSED = 15424;          // first line: the material cannot be a swatch
constexpr ResourceNumber IDS_SWATCH_REFUSED_GRADIENT = 15425; // reason line: unsaved gradient
constexpr ResourceNumber IDS_SWATCH_REFUSED_PATTERN = 15426;  // reason line: pattern not from the resources
constexpr ResourceNumber IDS_SWATCH_REFUSED_TEXTURE = 15427;  // reason line: unsaved texture
constexpr ResourceNumber IDS_SWATCH_NAME_TAKEN = 15408;       // renaming a swatch failed with error 203
constexpr ResourceNumber IDS_SWATCH_RENAME_FAILED = 15409;    // renaming a swatch failed with error 211
constexpr ResourceNumber IDS_SWATCH_ERROR_CAPTION = 15477;    // caption of category error messages
constexpr ResourceNumber IDS_CONFIRM_DELETE_CATEGORY = 15488; // %s: the category name
constexpr ResourceNumber IDS_RENAME_CATEGORY_TITLE = 15489; // title of the palette name dialog when renaming
constexpr ResourceNumber IDS_RENAME_SWATCH_TITLE = 15490;   // title of the swatch name dialog when renaming
constexpr ResourceNumber IDS_NAME_EMPTY = 15406;            // a name was left empty
constexpr ResourceNumber IDS_NAME_INVALID_CHARACTERS = 15407; // %s: the invalid characters, each and a blank
constexpr ResourceNumber IDS_NAME_EXISTS = 15418;             // %s: the name already in use
constexpr ResourceNumber IDS_DEFAULT_SWATCH_NAME = 15404;     // %d: counter of the proposed swatch name
constexpr ResourceNumber IDS_DEFAULT_PALETTE_NAME = 15476;    // %d: counter of the proposed palette name
constexpr ResourceNumber IDS_ADD_SWATCH_NO_PALETTE = 15299;   // add-swatch dialog without a user palette

// The Material Properties dialogs.
constexpr ResourceNumber IDS_SOLID_ONLY_NOTE = 15442;      // single-page mode note in control 15254
constexpr ResourceNumber IDS_UNSAVED_TEXTURE = 15447;      // name of a texture that is not in the resources
constexpr ResourceNumber IDS_TEXTURE_ANGLE = 15454;        // tooltip name of the texture angle edit
constexpr ResourceNumber IDS_TEXTURE_SCALE = 15468;        // tooltip name of the texture scale edit
constexpr ResourceNumber IDS_TT_ADD_CURRENT_TITLE = 15948; // add-current button tooltip, title
constexpr ResourceNumber IDS_TT_ADD_CURRENT = 15950;       // add-current button tooltip, description

// Colour wheel page.
constexpr ResourceNumber IDS_WHEEL_PLAIN = 15283;           // wheel-type list item 0
constexpr ResourceNumber IDS_WHEEL_ARTISTS = 15284;         // wheel-type list item 1
constexpr ResourceNumber IDS_SLIDER_TYPE_GREYSCALE = 15285; // slider models, listed in number order;
constexpr ResourceNumber IDS_SLIDER_TYPE_RGB = 15286;       // the page finds a model by its name
constexpr ResourceNumber IDS_SLIDER_TYPE_CMYK = 15287;      // offered only with a colour manager
constexpr ResourceNumber IDS_SLIDER_TYPE_HSL = 15288;
constexpr ResourceNumber IDS_SLIDER_TYPE_LAB = 15289;
constexpr ResourceNumber IDS_SLIDER_TYPE_WEB = 15290;

// Solid colour pages.
constexpr ResourceNumber IDS_EDIT_RED = 15462; // names of the 24-bit page's numeric edits
constexpr ResourceNumber IDS_EDIT_GREEN = 15463;
constexpr ResourceNumber IDS_EDIT_BLUE = 15464;
constexpr ResourceNumber IDS_EDIT_HUE = 15465;
constexpr ResourceNumber IDS_EDIT_SATURATION = 15466;
constexpr ResourceNumber IDS_EDIT_LIGHTNESS = 15467;
constexpr ResourceNumber IDS_SORT_PALETTE_ORDER = 15469; // sort list of the paletted page
constexpr ResourceNumber IDS_SORT_BY_HUE = 15470;
constexpr ResourceNumber IDS_SORT_BY_LUMINANCE = 15471;
constexpr ResourceNumber IDS_FORMAT_RGB_HEX = 15400;     // three values: red, green, blue
constexpr ResourceNumber IDS_FORMAT_HSL_HEX = 15401;     // three values: hue, saturation, lightness
constexpr ResourceNumber IDS_FORMAT_HSL_DECIMAL = 15402; // three values: hue, saturation, lightness
constexpr ResourceNumber IDS_FORMAT_RGB_DECIMAL = 15403; // three values: red, green, blue
constexpr ResourceNumber IDS_FORMAT_HTML = 15405;        // three values: red, green, blue

// Pattern pages.
constexpr ResourceNumber IDS_UNSAVED_PATTERN = 15423; // tooltip of the unnamed leading entry

// Gradients.
constexpr ResourceNumber IDS_UNSAVED_GRADIENT =
    15446; // name (and temporary file name) of an unnamed gradient
constexpr ResourceNumber IDS_GRADIENT_FILE_FILTER = 15411;     // import/export file dialog filter
constexpr ResourceNumber IDS_GRADIENT_NAME_PROMPT = 15413;     // default prompt of the rename dialog
constexpr ResourceNumber IDS_CAPTION_NEW_GRADIENT = 15420;     // caption (and prompt) for a new gradient
constexpr ResourceNumber IDS_CAPTION_SAVE_GRADIENT_AS = 15419; // copy, save under another name
constexpr ResourceNumber IDS_CAPTION_RENAME_GRADIENT = 15415;  // change of name, imported name that exists
constexpr ResourceNumber IDS_GRADIENT_READ_ONLY = 15421;       // %s: the gradient name
constexpr ResourceNumber IDS_GRADIENT_WRITE_FAILED = 15412;
constexpr ResourceNumber IDS_SAVE_GRADIENT_CHANGES = 15455;   // %s: the gradient name
constexpr ResourceNumber IDS_CONFIRM_DELETE_GRADIENT = 15456; // %s: the gradient name
constexpr ResourceNumber IDS_EXPORT_GRADIENT_TITLE = 15410;
constexpr ResourceNumber IDS_IMPORT_GRADIENT_TITLE = 15414;
constexpr ResourceNumber IDS_IMPORT_PARTIAL = 15416; // the reader stopped part way (error 340)
constexpr ResourceNumber IDS_IMPORT_FAILED = 15417;  // the reader failed otherwise

// Names of numeric edits, formatted into their tooltips as "%s [%d - %d]";
// each string carries the number of its edit control.
constexpr ResourceNumber IDS_EDIT_CENTER_X = 15218;
constexpr ResourceNumber IDS_EDIT_CENTER_Y = 15219;
constexpr ResourceNumber IDS_EDIT_GRADIENT_ANGLE = 15220;
constexpr ResourceNumber IDS_EDIT_REPEATS = 15221;
constexpr ResourceNumber IDS_EDIT_PATTERN_SCALE = 15227;
constexpr ResourceNumber IDS_EDIT_TEXTURE_SCALE = 15228;
constexpr ResourceNumber IDS_EDIT_TEXTURE_ANGLE = 15229;
constexpr ResourceNumber IDS_EDIT_FOCAL_X = 15257;
constexpr ResourceNumber IDS_EDIT_FOCAL_Y = 15258;
constexpr ResourceNumber IDS_EDIT_COLOR_LOCATION = 15315;
constexpr ResourceNumber IDS_EDIT_OPACITY_LOCATION = 15316;
constexpr ResourceNumber IDS_EDIT_OPACITY = 15317;

// ---------------------------------------------------------------------------
// Dialog templates (RT_DIALOG)
// ---------------------------------------------------------------------------

constexpr ResourceNumber IDD_MATERIAL_PROPERTIES = 15100;  // classic Material Properties dialog
constexpr ResourceNumber IDD_SOLID_24_PAGE = 15101;        // 24-bit colour page
constexpr ResourceNumber IDD_COLOR_WHEEL_PAGE = 15102;     // colour wheel page
constexpr ResourceNumber IDD_GRADIENT_PAGE = 15103;        // classic gradient page
constexpr ResourceNumber IDD_PATTERN_PAGE = 15104;         // classic pattern page
constexpr ResourceNumber IDD_TEXTURE_PAGE = 15105;         // texture page
constexpr ResourceNumber IDD_SWATCH_NAME = 15106;          // swatch name dialog
constexpr ResourceNumber IDD_MATERIALS_PANE = 15107;       // the Materials pane
constexpr ResourceNumber IDD_RECENT_MATERIALS = 15108;     // recently used materials popup
constexpr ResourceNumber IDD_SOLID_PALETTED_PAGE = 15109;  // paletted colour page
constexpr ResourceNumber IDD_GRADIENT_EDITOR = 15110;      // gradient editor
constexpr ResourceNumber IDD_GRADIENT_RENAME = 15111;      // gradient name dialog
constexpr ResourceNumber IDD_PALETTE_NAME = 15112;         // swatch palette name dialog
constexpr ResourceNumber IDD_ADD_SWATCH = 15113;           // add-swatch dialog
constexpr ResourceNumber IDD_GRADIENT2_PAGE = 15114;       // new gradient page
constexpr ResourceNumber IDD_PATTERN2_PAGE = 15115;        // new pattern page
constexpr ResourceNumber IDD_COLOR_EDITOR = 15120;         // colour editor dialog
constexpr ResourceNumber IDD_MATERIAL_PROPERTIES2 = 15121; // new-style Material Properties dialog

// Controls without a number of their own (labels): the dialog manager's -1.
constexpr ResourceNumber IDC_UNNUMBERED = 0xFFFF;
constexpr ResourceNumber IDC_DIALOG_OK = 1;
constexpr ResourceNumber IDC_DIALOG_CANCEL = 2;
constexpr ResourceNumber IDC_HELP_COMMAND = 0xE146; // the class library's help command

// The Materials pane (15107). The pane puts its own windows over the
// placeholders and lays everything out again on every size change.
constexpr ResourceNumber IDC_PANE_SWAP = 15240;             // placeholder of the swap button
constexpr ResourceNumber IDC_PANE_APPLY_TO_ALL = 15241;     // the apply-to-all-tools check box
constexpr ResourceNumber IDC_PANE_FORE_MATERIAL = 15242;    // placeholder of material control 101
constexpr ResourceNumber IDC_PANE_BACK_MATERIAL = 15243;    // placeholder of material control 102
constexpr ResourceNumber IDC_PANE_TAB_SET = 15244;          // placeholder of the new tab set
constexpr ResourceNumber IDC_PANE_BLACK_WHITE = 15245;      // placeholder of the black/white button
constexpr ResourceNumber IDC_PANE_FORE_SOLID = 15246;       // placeholder of solid-colour control 106
constexpr ResourceNumber IDC_PANE_BACK_SOLID = 15247;       // placeholder of solid-colour control 107
constexpr ResourceNumber IDC_PANE_SWAP_SMALL = 15248;       // placeholder of the small swap button
constexpr ResourceNumber IDC_PANE_SEPARATOR_TOOLS = 15949;  // line above the tool buttons
constexpr ResourceNumber IDC_PANE_SEPARATOR_RECENT = 15950; // line above the recently used strip
// Windows the pane creates itself (not in the template).
constexpr ResourceNumber IDC_PANE_DROPPER = 15340;           // dropper tool button and its command
constexpr ResourceNumber IDC_PANE_ADD_SWATCH = 15341;        // add-swatch tool button and its command
constexpr ResourceNumber IDC_PANE_REMOVE_SWATCH = 15342;     // remove-swatch tool button and its command
constexpr ResourceNumber IDC_PANE_RECENTLY_USED = 15359;     // the recently used strip
constexpr ResourceNumber ID_PANE_SHOW_REMOVE_SWATCH = 15953; // command: show the remove-swatch button
constexpr ResourceNumber ID_PANE_HIDE_REMOVE_SWATCH = 15954; // command: hide the remove-swatch button
constexpr ResourceNumber ID_PANE_PANE = 59653;               // the pane's own control identifier

// Recently used materials popup (15108): 22 owner-drawn buttons in three
// groups and the other button.
constexpr ResourceNumber IDC_RECENT_GROUP0_FIRST = 15283; // group 0: 15283 ... 15292
constexpr ResourceNumber IDC_RECENT_GROUP1_FIRST = 15293; // group 1: 15293 ... 15302
constexpr ResourceNumber IDC_RECENT_GROUP2_FIRST = 15303; // group 2: 15303, 15304
constexpr ResourceNumber IDC_RECENT_OTHER = 15305;
constexpr int kRecentGroup0Count = 10;
constexpr int kRecentGroup1Count = 10;
constexpr int kRecentGroup2Count = 2;

// Swatch dialogs (15106, 15112, 15113).
constexpr ResourceNumber IDC_SWATCH_NAME_EDIT = 15236;   // name edit; the category list in 15113
constexpr ResourceNumber IDC_ADD_SWATCH_LIST = 15236;    // category list of the add-swatch dialog
constexpr ResourceNumber IDC_ADD_SWATCH_NOTE = 15356;    // explanatory text of the add-swatch dialog
constexpr ResourceNumber IDC_ADD_SWATCH_NEW = 15326;     // new-category button of the add-swatch dialog
constexpr ResourceNumber IDC_SWATCH_NAME_PROMPT = 15357; // prompt line of the name dialogs

// Material Properties dialogs (15100, 15120, 15121).
constexpr ResourceNumber IDC_PROPS_HELP = 15200;
constexpr ResourceNumber IDC_PROPS_STYLE_TABS = 15201;      // tab control of the styles
constexpr ResourceNumber IDC_PROPS_TEXTURE_ON = 15202;      // texture check box
constexpr ResourceNumber IDC_PROPS_CURRENT_SAMPLE = 15203;  // placeholder of the current sample
constexpr ResourceNumber IDC_PROPS_PREVIOUS_SAMPLE = 15204; // placeholder of the sample at opening
constexpr ResourceNumber IDC_PROPS_SCALE = 15228;           // texture scale edit
constexpr ResourceNumber IDC_PROPS_ANGLE = 15229;           // texture angle edit
constexpr ResourceNumber IDC_PROPS_TEXTURE_DROP = 15234;    // texture resource drop button
constexpr ResourceNumber IDC_PROPS_ADD_SWATCH = 15235;      // add to swatches
constexpr ResourceNumber IDC_PROPS_TEXTURE_NAME = 15250;    // name of the chosen texture
constexpr ResourceNumber IDC_PROPS_TEXTURE_GROUP = 15251;   // frame of the texture section
constexpr ResourceNumber IDC_PROPS_NOTE = 15254;            // note of single-page mode
constexpr ResourceNumber IDC_PROPS_PREVIOUS_LABEL = 15255;  // label of the sample at opening
constexpr ResourceNumber IDC_PROPS_CURRENT_LABEL = 15256;   // label of the current sample
constexpr ResourceNumber IDC_PROPS_ANGLE_LABEL = 15262;     // label of the texture angle
constexpr ResourceNumber IDC_PROPS_SCALE_LABEL = 15271;     // label of the texture scale
constexpr ResourceNumber IDC_PROPS_TEXTURE_PREVIEW = 100;   // placeholder of the texture preview
constexpr ResourceNumber IDC_PROPS_SWATCH_FLYOUT = 101;     // swatch flyout button (bitmap 15912)
// New-style dialog (15121) only.
constexpr ResourceNumber IDC_PROPS2_SAMPLE_FIRST = 15205; // harmony sample cells 15205 ... 15208
constexpr int kProps2SampleCount = 4;
constexpr ResourceNumber IDC_PROPS2_TAB_COLOR = 15336; // tab buttons
constexpr ResourceNumber IDC_PROPS2_TAB_GRADIENT = 15337;
constexpr ResourceNumber IDC_PROPS2_TAB_PATTERN = 15338;
constexpr ResourceNumber IDC_PROPS2_TAB_TEXTURE = 15339;
constexpr ResourceNumber IDC_PROPS2_PAGE_AREA = 15365;       // the rectangle pages are created in
constexpr ResourceNumber IDC_PROPS2_PAGE_NOTE_FIRST = 15360; // 15360 ... 15363: captions the pages use
constexpr ResourceNumber IDC_PROPS2_ADD_CURRENT = 15364;     // add-current image button
// The stop editor fields of the new gradient page live in the new dialog.
constexpr ResourceNumber IDC_STOP_COLOR_LOCATION = 15315;
constexpr ResourceNumber IDC_STOP_OPACITY_LOCATION = 15316;
constexpr ResourceNumber IDC_STOP_OPACITY = 15317;
constexpr ResourceNumber IDC_STOP_USER_COLOR = 15322;     // colour well / colour button
constexpr ResourceNumber IDC_STOP_USE_USER_COLOR = 15323; // radio
constexpr ResourceNumber IDC_STOP_USE_FOREGROUND = 15324; // radio
constexpr ResourceNumber IDC_STOP_USE_BACKGROUND = 15325; // radio
constexpr ResourceNumber IDC_STOP_FOREGROUND_LABEL = 15943;
constexpr ResourceNumber IDC_STOP_BACKGROUND_LABEL = 15944;
constexpr ResourceNumber IDC_STOP_USER_COLOR_LABEL = 15945;
constexpr ResourceNumber IDC_STOP_OPACITY_LABEL = 15946;
constexpr ResourceNumber IDC_STOP_LOCATION_LABEL = 15947;

// 24-bit colour page (15101).
constexpr ResourceNumber IDC_SOLID_RED = 15205;
constexpr ResourceNumber IDC_SOLID_HUE = 15206;
constexpr ResourceNumber IDC_SOLID_SATURATION = 15207;
constexpr ResourceNumber IDC_SOLID_LIGHTNESS = 15208;
constexpr ResourceNumber IDC_SOLID_GREEN = 15209;
constexpr ResourceNumber IDC_SOLID_BLUE = 15210;
constexpr ResourceNumber IDC_HTML_CODE = 15211;           // also on the colour wheel page
constexpr ResourceNumber IDC_SOLID_LINK = 15212;          // link check box
constexpr ResourceNumber IDC_SOLID_COLOR_CONTROL = 15233; // placeholder of the colour control
constexpr ResourceNumber IDC_SOLID_BASIC_COLORS = 15245;  // placeholder of the basic colours

// Paletted colour page (15109).
constexpr ResourceNumber IDC_PALETTED_SORT = 15306;   // sort order list
constexpr ResourceNumber IDC_PALETTED_GRID = 15307;   // placeholder of the palette grid
constexpr ResourceNumber IDC_PALETTED_HTML = 15308;   // colour in the HTML form
constexpr ResourceNumber IDC_PALETTED_INDEX = 15309;  // palette index
constexpr ResourceNumber IDC_PALETTED_VALUES = 15310; // colour values

// Colour wheel page (15102).
constexpr ResourceNumber IDC_WHEEL_CONTROL = 15233;     // placeholder of the wheel
constexpr ResourceNumber IDC_WHEEL_SCHEME_MONO = 15336; // scheme buttons
constexpr ResourceNumber IDC_WHEEL_TYPE = 15337;        // wheel-type list (hidden)
constexpr ResourceNumber IDC_WHEEL_SCHEME_COMPLEMENT = 15338;
constexpr ResourceNumber IDC_WHEEL_SCHEME_TRIAD = 15339;
constexpr ResourceNumber IDC_WHEEL_SCHEME_TETRAD = 15340;
constexpr ResourceNumber IDC_WHEEL_SCHEME_ANALOGIC = 15341;
constexpr ResourceNumber IDC_WHEEL_SCHEME_ACCENTED = 15342;
constexpr ResourceNumber IDC_WHEEL_VIEW_WHEEL = 15344; // view buttons
constexpr ResourceNumber IDC_WHEEL_VIEW_SLIDERS = 15345;
constexpr ResourceNumber IDC_WHEEL_VIEW_SWATCHES = 15492;
constexpr ResourceNumber IDC_WHEEL_SLIDER_TYPE = 15346;       // slider-type list
constexpr ResourceNumber IDC_WHEEL_SLIDER_EDIT_FIRST = 15348; // slider value edits 15348, 15350, 15352, 15354
constexpr ResourceNumber IDC_WHEEL_SLIDER_AREA = 15347;       // placeholder of the slider tracks
constexpr ResourceNumber IDC_WHEEL_SWATCH_VIEW = 105;         // created by the page

// Pattern pages (15104, 15115).
constexpr ResourceNumber IDC_PATTERN_ANGLE = 15220;
constexpr ResourceNumber IDC_PATTERN_SCALE = 15227;
constexpr ResourceNumber IDC_PATTERN_DROP = 15225;  // drop-down selector (classic), thumbnail grid (new)
constexpr ResourceNumber IDC_PATTERN_PREVIEW = 100; // placeholder of the preview container

// Texture page (15105); shares 15202, 15228, 15229, 15234 and 15250 with the dialogs.
constexpr ResourceNumber IDC_RESOURCE_CATEGORY_LABEL = 12004; // also the grid of the new gradient page
constexpr ResourceNumber IDC_RESOURCE_CATEGORY = 12005;       // category drop-down
constexpr ResourceNumber IDC_RESOURCE_OPTIONS = 12006;        // options (view) button
constexpr ResourceNumber IDC_GRADIENT2_EXPAND = 12007; // collapse/expand button of the new gradient page
constexpr ResourceNumber IDC_GRADIENT2_GRID = 12004;   // thumbnail grid of the new gradient page

// Gradient pages (15103, 15114).
constexpr ResourceNumber IDC_GRADIENT_EDIT = 15217; // opens the gradient editor (classic)
constexpr ResourceNumber IDC_GRADIENT_CENTER_X = 15218;
constexpr ResourceNumber IDC_GRADIENT_CENTER_Y = 15219;
constexpr ResourceNumber IDC_GRADIENT_ANGLE = 15220;
constexpr ResourceNumber IDC_GRADIENT_REPEATS = 15221;
constexpr ResourceNumber IDC_GRADIENT_INVERT = 15222;
constexpr ResourceNumber IDC_GRADIENT_DROP = 15223; // gradient drop list button
constexpr ResourceNumber IDC_GRADIENT_NAME = 15224; // name of an unnamed gradient
constexpr ResourceNumber IDC_GRADIENT_FOCAL_X = 15257;
constexpr ResourceNumber IDC_GRADIENT_FOCAL_Y = 15258;
constexpr ResourceNumber IDC_GRADIENT_LINK = 15259; // link centre and focal point
constexpr ResourceNumber IDC_GRADIENT_ANGLE_LABEL = 15262;
constexpr ResourceNumber IDC_GRADIENT_REPEATS_LABEL = 15263;
constexpr ResourceNumber IDC_GRADIENT_CENTER_LABEL = 15265;
constexpr ResourceNumber IDC_GRADIENT_CENTER_UNIT = 15266;
constexpr ResourceNumber IDC_GRADIENT_FOCAL_UNIT = 15267;
constexpr ResourceNumber IDC_GRADIENT_ANGLE_UNIT = 15268;
constexpr ResourceNumber IDC_GRADIENT_FOCAL_LABEL = 15269;
constexpr ResourceNumber IDC_GRADIENT_TYPE_LABEL = 15270;
constexpr ResourceNumber IDC_GRADIENT_LINEAR = 15279; // type buttons
constexpr ResourceNumber IDC_GRADIENT_RECTANGULAR = 15280;
constexpr ResourceNumber IDC_GRADIENT_RADIAL = 15281;
constexpr ResourceNumber IDC_GRADIENT_ANGULAR = 15282;
constexpr ResourceNumber IDC_GRADIENT_PREVIEW = 100; // placeholder of the preview containers
// New gradient page only.
constexpr ResourceNumber IDC_GRADIENT2_SAVE = 15319;
constexpr ResourceNumber IDC_GRADIENT2_DELETE = 15320;
constexpr ResourceNumber IDC_GRADIENT2_NEW = 15326;
constexpr ResourceNumber IDC_GRADIENT2_RESET = 15345;
constexpr ResourceNumber IDC_GRADIENT2_SMART = 15955; // temporary gradient from the two colours
constexpr ResourceNumber IDC_GRADIENT2_DIRTY = 15358; // unsaved-changes indicator

// Gradient editor (15110); the stop bar frames are on the new gradient page too.
constexpr ResourceNumber IDC_GRADEDIT_LIST = 15311;
constexpr ResourceNumber IDC_GRADEDIT_COLOR_BAR = 15312;
constexpr ResourceNumber IDC_GRADEDIT_PREVIEW = 15313;
constexpr ResourceNumber IDC_GRADEDIT_OPACITY_BAR = 15314;
constexpr ResourceNumber IDC_GRADEDIT_IMPORT = 15318;
constexpr ResourceNumber IDC_GRADEDIT_EXPORT = 15319;
constexpr ResourceNumber IDC_GRADEDIT_DELETE = 15320;
constexpr ResourceNumber IDC_GRADEDIT_COPY = 15321;
constexpr ResourceNumber IDC_GRADEDIT_NEW = 15326;
constexpr ResourceNumber IDC_GRADEDIT_RENAME = 15327;

// Gradient name dialog (15111).
constexpr ResourceNumber IDC_RENAME_EDIT = 15328;
constexpr ResourceNumber IDC_RENAME_PROMPT = 15329;
constexpr ResourceNumber IDC_RENAME_APPEND_NUMBER = 15491;

// ---------------------------------------------------------------------------
// Menus (RT_MENU): each holds one pop-up, the menu that is shown.
// ---------------------------------------------------------------------------

constexpr ResourceNumber IDR_SWATCH_OPTIONS = 15000;    // options menu of the swatch picker
constexpr ResourceNumber IDR_GRADIENT2_OPTIONS = 32811; // options menu of the new gradient page
constexpr ResourceNumber IDR_RESOURCE_OPTIONS = 32812;  // options menu of the new pattern and texture pages

// Swatch picker options.
constexpr ResourceNumber ID_SWATCH_ADD = 15001;
constexpr ResourceNumber ID_SWATCH_EDIT = 15002;
constexpr ResourceNumber ID_SWATCH_RENAME = 15003;
constexpr ResourceNumber ID_SWATCH_DELETE = 15004;
constexpr ResourceNumber ID_SWATCH_FILTER_ALL = 15005;       // filter 16
constexpr ResourceNumber ID_SWATCH_FILTER_COLORS = 15006;    // filter 1
constexpr ResourceNumber ID_SWATCH_FILTER_GRADIENTS = 15007; // filter 4
constexpr ResourceNumber ID_SWATCH_FILTER_PATTERNS = 15008;  // filter 2
constexpr ResourceNumber ID_SWATCH_VIEW_LIST = 15009;        // view 0
constexpr ResourceNumber ID_SWATCH_VIEW_SMALL = 15010;       // view 2
constexpr ResourceNumber ID_SWATCH_SORT_BY_NAME = 15011;     // sort 1
constexpr ResourceNumber ID_SWATCH_SORT_NONE = 15012;        // sort 0
constexpr ResourceNumber ID_SWATCH_VIEW_LARGE = 15013;       // view 1
constexpr ResourceNumber ID_SWATCH_RESTORE = 15014;          // always disabled
constexpr ResourceNumber ID_SWATCH_SORT_HEADING = 15015;     // always disabled
constexpr ResourceNumber ID_SWATCH_SORT_FIRST_MORE = 15016;  // 15016 ... 15021: sorts 2 ... 7
constexpr ResourceNumber ID_SWATCH_NEW_CATEGORY = 15022;
constexpr ResourceNumber ID_SWATCH_CATEGORIES = 15023; // replaced by the category submenu
constexpr ResourceNumber ID_SWATCH_DELETE_CATEGORY = 15024;
constexpr ResourceNumber ID_SWATCH_RENAME_CATEGORY = 15025;
constexpr ResourceNumber ID_SWATCH_CATEGORY_FIRST = 15026; // category i is 15026 + i

// Resource options (32811, 32812).
constexpr ResourceNumber ID_RESOURCE_REFRESH = 32821;
constexpr ResourceNumber ID_RESOURCE_OPEN_FOLDER = 32822;
constexpr ResourceNumber ID_RESOURCE_VIEW = 32823; // replaced by the view-type submenu
constexpr ResourceNumber ID_GRADIENT_IMPORT = 32825;
constexpr ResourceNumber ID_GRADIENT_EXPORT = 32826;

// ---------------------------------------------------------------------------
// Bitmaps (RT_BITMAP), images by number (RT_PNG), cursors (RT_CURSOR) and
// the pane icon (RT_ICON)
// ---------------------------------------------------------------------------

// Style icons, 16 x 16: a PNG with transparency and a bitmap on light grey
// 0xC0C0C0 (the colour a mapped bitmap treats as transparent) under the same
// number.
constexpr ResourceNumber IDB_STYLE_GRADIENT = 15907;
constexpr ResourceNumber IDB_STYLE_PATTERN = 15908;
constexpr ResourceNumber IDB_STYLE_SOLID = 15909;
constexpr ResourceNumber IDB_STYLE_TEXTURE = 15914;
constexpr ResourceNumber IDB_STYLE_ART_MEDIA = 15931;

constexpr ResourceNumber IDB_ENABLE_MATERIAL = 15905;      // enable button of a material control
constexpr ResourceNumber IDB_SWATCH_FLYOUT = 15912;        // swatch flyout button
constexpr ResourceNumber IDB_GRADIENT_RECTANGULAR = 15916; // gradient type buttons
constexpr ResourceNumber IDB_GRADIENT_LINEAR = 15917;
constexpr ResourceNumber IDB_GRADIENT_RADIAL = 15918;
constexpr ResourceNumber IDB_GRADIENT_ANGULAR = 15919;
constexpr ResourceNumber IDB_MIDPOINT_MARKER = 15922; // gradient editor
constexpr ResourceNumber IDB_STOP_MARKER = 15923;
constexpr ResourceNumber IDB_ARROW_RIGHT = 15929; // map and ring pickers, combined by exclusive-or
constexpr ResourceNumber IDB_ARROW_BOTTOM = 15930;
constexpr ResourceNumber IDB_PICKER_MARKER = 15934;
constexpr ResourceNumber IDB_HUE_THUMB = 15951; // thumb of the hue slider, 32 bits with alpha

// Tab images (RT_PNG by number, 16 x 16 at normal scale).
constexpr ResourceNumber IDP_TAB_RING = 15937;
constexpr ResourceNumber IDP_TAB_SWATCHES = 15939;
constexpr ResourceNumber IDP_TAB_MAP = 15940;
constexpr ResourceNumber IDP_TAB_SLIDERS = 15941;
// Expand/collapse button images of the new gradient page (RT_PNG by number).
constexpr ResourceNumber IDP_EXPAND_NEXT = 32831;
constexpr ResourceNumber IDP_EXPAND_PREVIOUS = 32832;

constexpr ResourceNumber IDI_MATERIALS_PANE = 15935; // pane icon

constexpr ResourceNumber IDC_CURSOR_DROP = 15900;    // dragging a colour onto a window that takes it
constexpr ResourceNumber IDC_CURSOR_DROPPER = 15901; // sampling a colour
