// The program's working folder (linked in with --pre-js, so FS is in reach). A live page keeps
// it in the browser's IndexedDB, one record per file, so drawings and ZR590.SCR outlive a
// reload; a session fed from a message file gets a fresh folder in memory with its files.
//
// Several tabs of the page share the store. A tab writes and deletes only the files it changed
// itself (it remembers each file as it last stored or read it), and reads the store again
// before the program lists, loads or saves, so no tab overwrites or deletes another's file.
Module.zr590Files = {
  folder: '',
  persistent: false,
  db: null,
  known: new Map(),  // name -> stamp of the file as this tab last stored or read it
  pending: 0,        // store transactions not yet complete
  onError: null,     // (message) => void: the page shows storage errors
  // Bumped by every call that may change a file, so that at each wait an unchanged folder costs
  // one comparison, not a listing (an animated program waits ten times a second).
  generation: 0,

  watchChanges() {
    const writes = flags => typeof flags === 'string' ? flags !== 'r'
                                                      : (flags & (3 | 64 | 512)) !== 0;
    for (const name of ['write', 'rename', 'unlink', 'rmdir', 'mkdir', 'truncate', 'ftruncate',
                        'utime', 'open']) {
      const original = FS[name];
      FS[name] = (...args) => {
        if (name !== 'open' || writes(args[1])) ++this.generation;
        return original.apply(FS, args);
      };
    }
  },

  // Makes the folder the current directory; the program starts once the stored files are in.
  open(folder, sessionFiles) {
    this.watchChanges();
    this.folder = folder;
    FS.mkdirTree(folder);
    if (sessionFiles) {
      for (const name of Object.keys(sessionFiles)) this.write(name, sessionFiles[name]);
      FS.chdir(folder);
      return;
    }
    this.persistent = true;
    // The editor keeps its recovery copies here: in the store, beside the folder's files but
    // not among those the page lists.
    ENV.XDG_STATE_HOME = folder + '/.state';
    addRunDependency('zr590-files');
    this.openStore()
        .then(() => this.takeOverOldStore())
        .then(() => this.refresh())
        .catch(error => this.failed('cannot read the stored files', error))
        .finally(() => {
          FS.chdir(folder);
          removeRunDependency('zr590-files');
        });
  },

  openStore() {
    return new Promise((resolve, reject) => {
      const request = indexedDB.open('zr590-files', 1);
      request.onupgradeneeded = () => request.result.createObjectStore('files');
      request.onsuccess = () => {
        this.db = request.result;
        resolve();
      };
      request.onerror = () => reject(request.error);
    });
  },

  // Earlier versions of the page kept the folder with emscripten's IDBFS, in a database named
  // after the folder: its files are copied over once (the old database stays as it was).
  takeOverOldStore() {
    return new Promise(resolve => {
      const request = indexedDB.open(this.folder);
      request.onupgradeneeded = () => request.transaction.abort();  // there was none
      request.onerror = () => resolve();
      request.onsuccess = () => {
        const old = request.result;
        if (!old.objectStoreNames.contains('FILE_DATA')) {
          old.close();
          resolve();
          return;
        }
        const found = [];
        const reading = old.transaction('FILE_DATA', 'readonly');
        reading.objectStore('FILE_DATA').openCursor().onsuccess = event => {
          const cursor = event.target.result;
          if (cursor === null) return;
          const value = cursor.value, prefix = this.folder + '/';
          if (value.contents && String(cursor.key).startsWith(prefix)) {
            found.push({name: String(cursor.key).slice(prefix.length), value});
          }
          cursor.continue();
        };
        reading.oncomplete = () => {
          old.close();
          const writing = this.db.transaction('files', 'readwrite');
          const store = writing.objectStore('files');
          for (const file of found) {
            const key = this.key(file.name), value = file.value;
            store.get(key).onsuccess = event => {
              if (event.target.result !== undefined) return;
              const time = value.timestamp instanceof Date ? value.timestamp.getTime() : Number(value.timestamp);
              store.put({bytes: new Uint8Array(value.contents), time}, key);
            };
          }
          writing.oncomplete = writing.onabort = () => resolve();
        };
        reading.onerror = () => resolve();
      };
    });
  },

  key(name) { return this.folder + '/' + name; },
  path(name) { return this.folder + '/' + name; },

  // What tells a version of a file from another: its time and size.
  stamp(name) {
    const stat = FS.stat(this.path(name));
    return stat.mtime.getTime() + ':' + stat.size;
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

  // Whether everything this tab changed has reached the store (its transactions complete).
  stored() { return this.pending === 0 && !this.changes().any; },

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

  read(name) { return FS.readFile(this.path(name)); },
  write(name, bytes) {
    const slash = name.lastIndexOf('/');
    if (slash > 0) FS.mkdirTree(this.folder + '/' + name.slice(0, slash));
    FS.writeFile(this.path(name), bytes);
  },
  exists(name) {
    try {
      return FS.isFile(FS.stat(this.path(name)).mode);
    } catch (error) {
      return false;
    }
  },

  // What this tab changed since it last stored or read: files new or different, files gone.
  changes() {
    if (!this.persistent || this.db === null) return {puts: [], deletes: [], any: false};
    const here = new Map(this.allFiles().map(name => [name, this.stamp(name)]));
    const puts = [...here].filter(([name, stamp]) => this.known.get(name) !== stamp);
    const deletes = [...this.known.keys()].filter(name => !here.has(name));
    return {puts, deletes, any: puts.length > 0 || deletes.length > 0};
  },

  // Stores what this tab changed, and nothing else.
  save() {
    const {puts, deletes, any} = this.changes();
    if (!any) return;
    let transaction;
    try {
      transaction = this.db.transaction('files', 'readwrite');
      const store = transaction.objectStore('files');
      for (const put of puts) {
        const name = put[0], stamp = put[1];
        const time = Number(stamp.split(':')[0]);
        store.put({bytes: this.read(name), time}, this.key(name));
        this.known.set(name, stamp);
      }
      for (const name of deletes) {
        store.delete(this.key(name));
        this.known.delete(name);
      }
    } catch (error) {
      this.failed('cannot store the files', error);
      return;
    }
    ++this.pending;
    transaction.oncomplete = () => --this.pending;
    transaction.onabort = () => {
      --this.pending;
      // Tried again at the next save: they count as changed.
      for (const put of puts) this.known.delete(put[0]);
      this.failed('cannot store the files', transaction.error);
    };
  },

  // Reads the store again: files another tab stored come in, files another tab deleted go,
  // except where this tab has changed them and not stored them yet.
  refresh() {
    if (!this.persistent || this.db === null) return Promise.resolve();
    const changed = new Set(this.changes().puts.map(([name]) => name));
    return new Promise((resolve, reject) => {
      const records = new Map();
      const transaction = this.db.transaction('files', 'readonly');
      const prefix = this.folder + '/';
      const range = IDBKeyRange.bound(prefix, prefix + '\uffff');
      const request = transaction.objectStore('files').openCursor(range);
      request.onsuccess = () => {
        const cursor = request.result;
        if (cursor === null) return;
        records.set(cursor.key.slice(prefix.length), cursor.value);
        cursor.continue();
      };
      transaction.oncomplete = () => {
        for (const entry of records) {
          const name = entry[0], record = entry[1];
          if (changed.has(name)) continue;
          const stamp = record.time + ':' + record.bytes.length;
          if (this.exists(name) && this.stamp(name) === stamp) {
            this.known.set(name, stamp);
            continue;
          }
          this.write(name, record.bytes);
          FS.utime(this.path(name), record.time, record.time);
          this.known.set(name, this.stamp(name));
        }
        for (const name of [...this.known.keys()]) {
          if (records.has(name) || changed.has(name)) continue;
          this.known.delete(name);
          if (this.exists(name)) FS.unlink(this.path(name));
        }
        resolve();
      };
      transaction.onerror = () => reject(transaction.error);
    });
  },

  failed(what, error) {
    const message = `ZR590: ${what}: ${error && error.name ? error.name + ' ' : ''}${error && error.message ? error.message : error}`;
    console.warn(message);
    if (this.onError) this.onError(message);
  },
};
