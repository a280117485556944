// Runs inside glimb.js before the game starts: the page's file system (the
// browser's storage mounted and read back, the folders the game uses) and
// where the game keeps its settings and progress there.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function() {
  ENV['XDG_CONFIG_HOME'] = '/persist/config';
  ENV['XDG_DATA_HOME'] = '/persist/data';
  ENV['HOME'] = '/persist';
  FS.mkdir('/persist');
  FS.mkdir('/glimb');
  FS.mkdir('/incoming');
  try {
    FS.mount(IDBFS, {}, '/persist');
  } catch (e) {
    Glimb.storageUnavailable(String(e));
    return;
  }
  // The game starts once what the browser kept is back in the files.
  addRunDependency('glimb-storage');
  FS.syncfs(true, function(error) {
    if (error) Glimb.storageUnavailable(String(error));
    for (const folder of ['/persist/worlds', '/persist/config', '/persist/data']) {
      try { FS.mkdir(folder); } catch (e) { /* already there */ }
    }
    removeRunDependency('glimb-storage');
  });
});
