# The folders of src/, lowest first, and for each the folders its files may include: the
# folders below it that it builds on, with what those build on. A folder never includes one
# above it. The folder libraries link along these lists, and check_layering.cmake fails the
# build and the test run on an include outside them. docs/architecture.md explains the folders.
set(LUMIVEL_LAYERS platform installation iconres locale slots themes imaging app apply ui cli)

set(LUMIVEL_MAY_INCLUDE_platform "")
set(LUMIVEL_MAY_INCLUDE_installation platform)
set(LUMIVEL_MAY_INCLUDE_iconres platform installation)
set(LUMIVEL_MAY_INCLUDE_locale platform installation)
set(LUMIVEL_MAY_INCLUDE_slots platform installation iconres)
set(LUMIVEL_MAY_INCLUDE_themes platform installation iconres slots)
set(LUMIVEL_MAY_INCLUDE_imaging platform)
set(LUMIVEL_MAY_INCLUDE_app platform installation iconres locale slots themes imaging)
set(LUMIVEL_MAY_INCLUDE_apply platform installation iconres locale slots themes imaging app)
set(LUMIVEL_MAY_INCLUDE_ui platform installation iconres locale slots themes imaging app apply)
set(LUMIVEL_MAY_INCLUDE_cli platform installation iconres locale slots themes imaging app apply)
