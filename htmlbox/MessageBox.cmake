# The HTML message box and the application's notices, on top of the renderer.
add_library(qff_messagebox STATIC)
target_sources(qff_messagebox PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/AreaStyle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AreaStyle.h
    ${CMAKE_CURRENT_LIST_DIR}/CPPMessageBoxTemplate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPPMessageBoxTemplate.h
    ${CMAKE_CURRENT_LIST_DIR}/CPPMessageBoxTemplateLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CPPMessageBoxTemplatePaint.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxButtons.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxButtons.h
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxHtmlMarkup.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxHtmlMarkup.h
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxMarkup.h
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxMemory.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxMemory.h
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxParams.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxParams.h
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MessageBoxText.h
    ${CMAKE_CURRENT_LIST_DIR}/ShowAppMessage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShowAppMessage.h
    ${CMAKE_CURRENT_LIST_DIR}/ShowHtmlMessageBox.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShowHtmlMessageBox.h
)
target_include_directories(qff_messagebox PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qff_messagebox PUBLIC qff_htmlbox Qt6::Widgets)
