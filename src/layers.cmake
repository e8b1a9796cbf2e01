# The layers of the source tree, bottom first: the one list the build and the architecture
# test read. Every folder named here is one library or program, built from that folder. A
# file may include the headers of its own folder and of folders on lower lines, never of a
# folder on its own line or above (tests/architecture checks every include in src/).
set(LUMORA_LAYERS
    # records and the scheme codec; the clock service; the operating-system layer
    "model clock platform"
    # the play log; settings and other process-wide services; the schedulers
    "log appcore player"
    # the renderers' text and time arithmetic; the weather services; media import and office pages;
    # the fleet's central play log (PostgreSQL)
    "textcore weathercore import fleetlog"
    # play windows and renderers; the import progress dialogs; the log viewer; the fleet agent's
    # protocol, bundles and links (MQTT, content, the local player socket)
    "render importui log/viewer fleet"
    # the schedule simulation; the schedule tree; the property panels
    "simulate editor panels"
    # the main window
    "shell"
    # programs
    "app server model/tool log/tool fleet/tool")

# Includes allowed to cross a layer upwards, as "folder/file.cpp header/path.h"; none.
set(LUMORA_LAYER_EXCEPTIONS "")

# Libraries that must never link QtWidgets, directly or through another library.
set(LUMORA_WIDGET_FREE_LIBRARIES
    lumora_model lumora_clock lumora_platform lumora_log lumora_appcore lumora_player
    lumora_textcore lumora_weathercore lumora_import lumora_fleetlog lumora_fleet)
