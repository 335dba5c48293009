# cmake -DSOURCE=data -DDEST=dist -P install_data.cmake
# Copies the shipped data into an installation folder. The files the user
# changes through the program (settings, festivals, memos) are copied only
# when absent, so rebuilding never throws away what a run saved; everything
# else (templates, tray icons, sounds, the shipped holiday schedule, which the
# user's Ostrel/offdays.cfg overrides) is refreshed.
set(user_files Solvane.ini Ostrel/holidays.cfg Reminders/reminders.cfg)

file(GLOB_RECURSE shipped RELATIVE ${SOURCE} ${SOURCE}/*)
foreach(relative ${shipped})
  set(target ${DEST}/${relative})
  list(FIND user_files ${relative} user_file)
  if(user_file GREATER -1 AND EXISTS ${target})
    continue()
  endif()
  get_filename_component(folder ${target} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(COPY_FILE ${SOURCE}/${relative} ${target} ONLY_IF_DIFFERENT)
endforeach()
file(MAKE_DIRECTORY ${DEST}/Reminders ${DEST}/Sound ${DEST}/Ostrel/Database)
