// The program's working folder (linked in with --pre-js, so FS and IDBFS are in reach). A live
// page keeps it in the browser's IndexedDB, so drawings and ZR590.SCR outlive a reload; a
// session fed from a message file gets a fresh folder in memory with the session's files.
Module.zr590Files = {
  folder: '',
  persistent: false,
  saving: false,
  saveAgain: false,

  // Makes the folder the current directory; the program starts once the stored files are in.
  open(folder, sessionFiles) {
    this.folder = folder;
    FS.mkdirTree(folder);
    if (sessionFiles) {
      for (const name of Object.keys(sessionFiles)) this.write(name, sessionFiles[name]);
      FS.chdir(folder);
      return;
    }
    this.persistent = true;
    FS.mount(IDBFS, {}, folder);
    addRunDependency('zr590-files');
    FS.syncfs(true, error => {
      if (error) console.error('ZR590: cannot read the stored files:', error);
      FS.chdir(folder);
      removeRunDependency('zr590-files');
    });
  },

  // Regular files of the folder, by name.
  list() {
    const files = [];
    for (const name of FS.readdir(this.folder)) {
      const stat = FS.stat(this.folder + '/' + name);
      if (FS.isFile(stat.mode)) files.push({name, size: stat.size, time: stat.mtime.getTime()});
    }
    return files.sort((a, b) => (a.name < b.name ? -1 : a.name > b.name ? 1 : 0));
  },

  // Whether everything written has been stored.
  stored() { return !this.saving && !this.saveAgain; },

  // Every file under the folder, by its path inside it.
  allFiles(under = '') {
    const paths = [];
    for (const name of FS.readdir(this.folder + '/' + under)) {
      if (name === '.' || name === '..') continue;
      const mode = FS.stat(this.folder + '/' + under + name).mode;
      if (FS.isDir(mode)) paths.push(...this.allFiles(under + name + '/'));
      if (FS.isFile(mode)) paths.push(under + name);
    }
    return paths;
  },

  read(name) { return FS.readFile(this.folder + '/' + name); },
  write(name, bytes) {
    const slash = name.lastIndexOf('/');
    if (slash > 0) FS.mkdirTree(this.folder + '/' + name.slice(0, slash));
    FS.writeFile(this.folder + '/' + name, bytes);
  },

  // Stores the folder in IndexedDB; one store at a time, and one more if asked meanwhile.
  save() {
    if (!this.persistent) return;
    if (this.saving) {
      this.saveAgain = true;
      return;
    }
    this.saving = true;
    FS.syncfs(false, error => {
      if (error) console.error('ZR590: cannot store the files:', error);
      this.saving = false;
      if (this.saveAgain) {
        this.saveAgain = false;
        this.save();
      }
    });
  },
};
