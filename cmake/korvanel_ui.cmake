# The windows of subsystems 4 to 9 form one library, korvanel_ui, because windows open each
# other: the .cpp and .h files of src/mainwindow, commands, views, search, print and integration.
set(korvanel_ui_folders mainwindow commands views search print integration)
set(korvanel_ui_sources "")
foreach(folder ${korvanel_ui_folders})
    file(GLOB folder_sources CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
    list(APPEND korvanel_ui_sources ${folder_sources})
endforeach()
if(korvanel_ui_sources)
    add_library(korvanel_ui STATIC ${korvanel_ui_sources})
    target_include_directories(korvanel_ui PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(korvanel_ui
        PUBLIC korvanel_textlib korvanel_foundation korvanel_platform korvanel_runtime
               Qt6::Widgets Qt6::PrintSupport Qt6::Network
        PRIVATE korvanel_flags)
    if(TARGET korvanel_store)
        target_link_libraries(korvanel_ui PUBLIC korvanel_store)
    endif()
    target_precompile_headers(korvanel_ui PRIVATE <QString> <QWidget> <QDialog>)
    # The program's icon in its drawn sizes (mainwindow/program_icon.h).
    set(korvanel_icon_sizes 16 22 24 32 48 64 128 256)
    list(TRANSFORM korvanel_icon_sizes PREPEND ${PROJECT_SOURCE_DIR}/data/icons/korvanel- OUTPUT_VARIABLE korvanel_icons)
    list(TRANSFORM korvanel_icons APPEND .png)
    qt_add_resources(korvanel_ui korvanel_icons
        PREFIX /korvanel
        BASE ${PROJECT_SOURCE_DIR}/data
        FILES ${korvanel_icons})
endif()
