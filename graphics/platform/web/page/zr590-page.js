// The page around a ZR590 program built with emscripten. It sets up `Module` before the
// program's own script loads, turns the page's input into calls of the program's exported
// functions, and is what the web backend calls (page.h): the canvas, the "Run" menu bar, the
// text panel, the line dialog, the timers and the list of files.
//
// Tests drive it through two hooks: `window.zr590Session` ({messages, files}), set before the
// page loads, feeds the program a message file instead of the page's input; `window.zr590Page`
// tells when the program waits, what it printed, and what it left, and its `nextAnswer` answers
// the next line dialog.
'use strict';

function zr590StartPage(program) {
  const $ = id => document.getElementById(id);
  const canvas = $('canvas'), app = $('app'), statusLine = $('status'), menuBar = $('menu-bar');
  const textPanel = $('text-panel'), textLines = $('text-lines'), fileList = $('file-list');
  const backdrop = $('dialog-backdrop'), promptBox = $('dialog-prompt'), lineBox = $('dialog-line');
  const okay = $('dialog-okay'), upload = $('upload');
  const context = canvas.getContext('2d');
  const session = window.zr590Session || null;
  const kTextLines = 25;  // the library's ring of text lines
  const timers = new Map();
  let started = false, ended = false, dialogOpen = false;
  let answered = false;  // the dialog is closed but the program has not had the answer yet
  let waiter = null, filesShown = null, filesGeneration = -1, dialogTyped = null;
  let menuTitle = null, menuList = null;

  const toBase64 = bytes => {
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) {
      text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    }
    return btoa(text);
  };
  const fromBase64 = text => Uint8Array.from(atob(text), c => c.charCodeAt(0));

  // Calls `call` with the strings in the program's memory. (Module.ccall does this too, but
  // while the program sleeps it answers with a promise instead of the function's result.)
  function withStrings(strings, call) {
    const pointers = strings.map(text => {
      const size = Module.lengthBytesUTF8(text) + 1;
      const pointer = Module._malloc(size);
      Module.stringToUTF8(text, pointer, size);
      return pointer;
    });
    try {
      return call(...pointers);
    } finally {
      pointers.forEach(pointer => Module._free(pointer));
    }
  }

  // Hands the program one piece of input (a call of an exported function) and wakes it. While
  // the dialog is open only the timer reaches the program, whose dialog loop dispatches it.
  function send(call, evenInDialog = false) {
    if (!started || ended || session || (dialogOpen && !evenInDialog)) return 0;
    const result = call();
    page.wake();
    return result;
  }

  // The label with its mnemonic (the character at that index; -1: none) underlined.
  function labelWithMnemonic(text, mnemonic) {
    const label = document.createElement('span');
    const characters = [...text];
    const c = characters[mnemonic];
    if (c === undefined) {
      label.append(text);
      return {label, key: ''};
    }
    const u = document.createElement('u');
    u.textContent = c;
    label.append(characters.slice(0, mnemonic).join(''), u, characters.slice(mnemonic + 1).join(''));
    return {label, key: c.toLowerCase()};
  }

  function menuIsOpen() { return menuList !== null && !menuList.hidden; }

  function openMenu(open) {
    if (menuList === null) return;
    menuList.hidden = !open;
    menuTitle.setAttribute('aria-expanded', open ? 'true' : 'false');
    if (open) {
      const first = menuList.querySelector('.menu-item:enabled');
      if (first) first.focus();
    } else if (document.activeElement && menuList.contains(document.activeElement)) {
      canvas.focus();
    }
  }

  function menuKey(event) {
    const items = [...menuList.querySelectorAll('.menu-item:enabled')];
    const at = items.indexOf(document.activeElement);
    if (event.key === 'Escape') {
      openMenu(false);
      menuTitle.focus();
    } else if (event.key === 'ArrowDown' || event.key === 'ArrowUp') {
      const step = event.key === 'ArrowDown' ? 1 : items.length - 1;
      items[(Math.max(at, 0) + step) % items.length].focus();
    } else {
      const chosen = items.find(item => item.dataset.key === event.key.toLowerCase());
      if (!chosen || event.ctrlKey || event.altKey || event.metaKey) return;
      chosen.click();
    }
    event.preventDefault();
  }

  function showFiles(files) {
    fileList.replaceChildren();
    if (files.length === 0) {
      const none = document.createElement('li');
      none.className = 'hint';
      none.textContent = 'No files yet.';
      fileList.append(none);
    }
    for (const file of files) {
      const item = document.createElement('li');
      const link = document.createElement('a');
      link.href = '#';
      link.textContent = file.name;
      link.title = 'Download ' + file.name;
      link.addEventListener('click', event => {
        event.preventDefault();
        const url = URL.createObjectURL(new Blob([Module.zr590Files.read(file.name)]));
        const save = document.createElement('a');
        save.href = url;
        save.download = file.name;
        save.click();
        setTimeout(() => URL.revokeObjectURL(url), 60000);
      });
      const size = document.createElement('span');
      size.className = 'size';
      size.textContent = file.size + ' B';
      item.append(link, size);
      fileList.append(item);
    }
  }

  const page = {
    waiting: false,  // the program sleeps until the page hands it something
    ended: null,     // {status, reason} once the program has ended
    transcript: [],  // a session's lines, as the headless runner prints them
    notedBoxes: [],  // a session's boxes of text and wide pens: [left, top, right, bottom]
    nextAnswer: null,  // for tests: typed into the next line dialog, then Enter

    wake() {
      if (waiter === null) return;
      const resume = waiter;
      waiter = null;
      this.waiting = false;
      resume();
    },
    nextMessage() {
      return new Promise(resolve => {
        waiter = resolve;
        this.waiting = true;
      });
    },
    // For tests: the program waits for the user, in its event wait or in the dialog, with
    // everything handed to it seen.
    settled() { return this.ended !== null || (!answered && (this.waiting || dialogOpen)); },

    // Copies the box (x, y, w, h) of the program's picture to the canvas.
    present(bytes, width, height, x, y, w, h) {
      const pixels = new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, width * height * 4);
      context.putImageData(new ImageData(pixels, width, height), 0, 0, x, y, w, h);
    },

    menuBegin(title, mnemonic) {
      const menu = document.createElement('div');
      menu.className = 'menu';
      const {label, key} = labelWithMnemonic(title, mnemonic);
      menuTitle = document.createElement('button');
      menuTitle.className = 'menu-title';
      menuTitle.type = 'button';
      menuTitle.setAttribute('aria-haspopup', 'menu');
      menuTitle.setAttribute('aria-expanded', 'false');
      if (key) menuTitle.accessKey = key;
      menuTitle.append(label);
      menuTitle.addEventListener('click', () => openMenu(!menuIsOpen()));
      menuList = document.createElement('ul');
      menuList.className = 'menu-items';
      menuList.setAttribute('role', 'menu');
      menuList.hidden = true;
      menuList.addEventListener('keydown', menuKey);
      menu.append(menuTitle, menuList);
      menuBar.replaceChildren(menu);
    },
    menuItem(text, mnemonic, shortcutText, id, checked, greyed) {
      const item = document.createElement('li');
      if (text === null) {
        item.className = 'menu-separator';
        item.setAttribute('role', 'separator');
        menuList.append(item);
        return;
      }
      item.setAttribute('role', 'none');
      const {label, key} = labelWithMnemonic(text, mnemonic);
      label.className = 'label';
      const check = document.createElement('span');
      check.className = 'check';
      const shortcut = document.createElement('span');
      shortcut.className = 'shortcut';
      shortcut.textContent = shortcutText;
      const button = document.createElement('button');
      button.type = 'button';
      button.className = 'menu-item';
      button.setAttribute('role', 'menuitemcheckbox');
      button.dataset.id = id;
      button.dataset.key = key;
      button.disabled = greyed;
      button.append(check, label, shortcut);
      button.addEventListener('click', () => {
        openMenu(false);
        canvas.focus();
        send(() => Module._zr590_web_command(id));
      });
      item.append(button);
      menuList.append(item);
      this.menuCheck(id, checked);
    },
    menuCheck(id, checked) {
      for (const button of menuList.querySelectorAll(`.menu-item[data-id="${id}"]`)) {
        button.setAttribute('aria-checked', checked ? 'true' : 'false');
        button.firstChild.textContent = checked ? '\u2713' : '';
      }
    },

    showText(show) {
      const was = !textPanel.hidden;
      textPanel.hidden = !show;
      if (show) textLines.scrollTop = textLines.scrollHeight;
      return was;
    },
    textLine(line) {
      const row = document.createElement('div');
      row.textContent = line;
      textLines.append(row);
      while (textLines.childElementCount > kTextLines) textLines.firstElementChild.remove();
      textLines.scrollTop = textLines.scrollHeight;
    },

    startTimer(id, period) {
      this.stopTimer(id);
      timers.set(id, setInterval(() => send(() => Module._zr590_web_timer(id), true), period));
    },
    stopTimer(id) {
      clearInterval(timers.get(id));
      timers.delete(id);
    },

    // The modal line dialog: the page is inert behind it, as a dialog's owner window is
    // disabled. Enter presses Okay; Escape and clicks outside do nothing. Its closing wakes the
    // program, whose modal loop then finds what was typed (dialogTyped).
    lineDialog(prompt, answer) {
      openMenu(false);
      // A name to load or save is looked up in the store as it is now: another tab may have
      // stored or deleted a file meanwhile.
      const refreshed = Module.zr590Files.persistent
          ? Module.zr590Files.refresh().catch(
                error => Module.zr590Files.failed('cannot read the stored files', error))
          : null;
      promptBox.textContent = prompt;
      lineBox.value = '';
      dialogTyped = null;
      backdrop.hidden = false;
      app.inert = true;
      dialogOpen = true;
      lineBox.focus();
      const finish = () => {
        okay.onclick = null;
        lineBox.onkeydown = null;
        backdrop.hidden = true;
        app.inert = false;
        canvas.focus();
        const typed = lineBox.value;
        answered = true;
        const done = () => {
          dialogOpen = false;
          answered = false;
          dialogTyped = typed;
          if (refreshed !== null) page.filesChanged();
          page.wake();
        };
        if (refreshed === null) {
          done();
        } else {
          refreshed.then(done);
        }
      };
      okay.onclick = finish;
      lineBox.onkeydown = event => {
        if (event.isComposing) return;
        if (event.key === 'Enter') {
          event.preventDefault();
          finish();
        } else if (event.key === 'Escape') {
          event.preventDefault();
        }
      };
      if (answer === null && page.nextAnswer !== null) {
        answer = page.nextAnswer;
        page.nextAnswer = null;
      }
      if (answer !== null) {
        lineBox.value = answer;
        lineBox.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter'}));
      }
    },
    dialogTyped() { return dialogTyped; },

    // Called whenever the program waits: shows and stores the folder if a file changed.
    filesChanged() {
      if (Module.zr590Files.generation === filesGeneration) return;
      filesGeneration = Module.zr590Files.generation;
      const files = Module.zr590Files.list();
      const shown = JSON.stringify(files);
      if (shown === filesShown) return;
      filesShown = shown;
      showFiles(files);
      Module.zr590Files.save();
    },
    // For tests: every file under the folder, as base64, by its path inside it.
    readFiles() {
      const files = {};
      for (const name of Module.zr590Files.allFiles()) {
        files[name] = toBase64(Module.zr590Files.read(name));
      }
      return files;
    },

    sessionText() { return session ? session.messages : null; },

    programEnded(status, reason) {
      if (this.ended !== null) return;
      ended = true;
      this.ended = {status, reason: reason || null};
      for (const id of [...timers.keys()]) this.stopTimer(id);
      openMenu(false);
      menuBar.inert = true;
      statusLine.className = 'ended';
      statusLine.textContent = (reason ? `The program stopped: ${reason}.` : 'The program has ended.') +
                               ' Reload the page to run it again.';
      try {
        this.filesChanged();
      } catch (error) {
        console.error('ZR590: cannot list the files:', error);
      }
    },
  };
  window.zr590Page = page;

  window.Module = {
    zr590Page: page,
    thisProgram: program,
    preRun: [() => {
      let files = null;
      if (session) {
        files = {};
        for (const [name, text] of Object.entries(session.files || {})) files[name] = fromBase64(text);
      }
      Module.zr590Files.onError = message => showNote(message);
      Module.zr590Files.open('/zr590/' + program, files);
    }],
    onRuntimeInitialized: () => {
      started = true;
      statusLine.textContent = '';
      canvas.focus();
    },
    print: text => console.log(text),
    printErr: text => console.error(text),
    onExit: status => page.programEnded(status),
    onAbort: what => page.programEnded(null, String(what)),
  };

  // Keys reach the program from the canvas, the page itself, or the text panel (whose
  // procedure passes them on, as the text window does); other controls keep theirs.
  function key(event, press) {
    if (event.isComposing || event.keyCode === 229 || menuIsOpen()) return;
    // Tab and Shift+Tab move the focus through the page (to Files and Upload), as a keyboard
    // user expects; the program has no use for them.
    if (event.key === 'Tab') return;
    const target = event.target;
    const inText = target === textPanel || textLines.contains(target);
    // The program's Ctrl shortcuts work wherever the focus is on the page (after the menu, on
    // a file link), except in a box that takes text.
    const shortcut = event.ctrlKey && /^Key[A-Z]$/.test(event.code) &&
                     !['INPUT', 'TEXTAREA'].includes(target.tagName);
    if (!shortcut && !inText && target !== canvas && target !== document.body &&
        target !== document.documentElement) {
      return;
    }
    const altGr = event.getModifierState('AltGraph');
    const handled = send(() => withStrings([event.key, event.code], (keyName, code) =>
        Module._zr590_web_key(inText ? 1 : 0, press ? 1 : 0, keyName, code,
                              event.ctrlKey && !altGr ? 1 : 0, event.shiftKey ? 1 : 0,
                              (event.altKey || event.metaKey) && !altGr ? 1 : 0)));
    if (handled) event.preventDefault();
  }
  document.addEventListener('keydown', event => key(event, true));
  document.addEventListener('keyup', event => key(event, false));
  window.addEventListener('blur', () => send(() => Module._zr590_web_focus_lost()));
  $('text-close').addEventListener('click', () => {
    canvas.focus();
    send(() => Module._zr590_web_close_text());
  });

  canvas.addEventListener('pointerdown', event => {
    if (event.button !== 0) return;
    canvas.focus();
    event.preventDefault();
    const box = canvas.getBoundingClientRect();
    const at = (client, start, size, pixels) =>
        Math.min(pixels - 1, Math.max(0, Math.floor((client - start) * pixels / size)));
    const x = at(event.clientX, box.left, box.width, canvas.width);
    const y = at(event.clientY, box.top, box.height, canvas.height);
    send(() => Module._zr590_web_mouse_down(x, y));
  });

  document.addEventListener('pointerdown', event => {
    if (menuIsOpen() && !menuBar.contains(event.target)) openMenu(false);
  }, true);

  // A click beside the dialog's line box and button leaves the keyboard in the line box.
  backdrop.addEventListener('mousedown', event => {
    if (event.target === lineBox || event.target === okay) return;
    event.preventDefault();
    lineBox.focus();
  });

  // An upload never replaces a file: one of the same name is kept, the upload takes a name of
  // its own ("drawing (2).txt"). Files larger than the page should hold are refused.
  const kLargestUpload = 64 * 1024 * 1024;
  const freeName = name => {
    const dot = name.lastIndexOf('.') > 0 ? name.lastIndexOf('.') : name.length;
    let free = name;
    for (let n = 2; Module.zr590Files.exists(free); ++n) {
      free = `${name.slice(0, dot)} (${n})${name.slice(dot)}`;
    }
    return free;
  };
  upload.addEventListener('change', async () => {
    if (!started) return;
    await Module.zr590Files.refresh().catch(() => {});
    const notes = [];
    for (const file of upload.files) {
      if (file.size > kLargestUpload) {
        notes.push(`${file.name} was not uploaded: it is larger than 64 MB.`);
        continue;
      }
      const name = freeName(file.name);
      Module.zr590Files.write(name, new Uint8Array(await file.arrayBuffer()));
      if (name !== file.name) notes.push(`${file.name} already exists: uploaded as ${name}.`);
    }
    upload.value = '';
    showNote(notes.join(' '));
    page.filesChanged();
  });
  function showNote(text) {
    if (ended) return;
    statusLine.className = text ? 'note' : '';
    statusLine.textContent = text;
  }

  // What was drawn or recorded reaches the store within a second, and before the page goes;
  // while a store is pending, leaving asks first.
  setInterval(() => {
    if (started) Module.zr590Files.save();
  }, 1000);
  window.addEventListener('pagehide', () => {
    if (started) Module.zr590Files.save();
  });
  window.addEventListener('beforeunload', event => {
    if (!started) return;
    Module.zr590Files.save();
    if (Module.zr590Files.stored()) return;
    event.preventDefault();
    event.returnValue = '';
  });
  // Another tab may have stored files meanwhile: the list shows them when this one is looked at.
  document.addEventListener('visibilitychange', () => {
    if (document.hidden || !started) return;
    Module.zr590Files.refresh().then(() => page.filesChanged(), () => {});
  });

  // The line box takes at most 255 bytes of UTF-8, in whole characters: what is typed is the
  // whole reply.
  const kReplyBytes = 255;
  lineBox.addEventListener('input', () => {
    const encoder = new TextEncoder();
    if (encoder.encode(lineBox.value).length <= kReplyBytes) return;
    let kept = '', bytes = 0;
    for (const character of lineBox.value) {
      const size = encoder.encode(character).length;
      if (bytes + size > kReplyBytes) break;
      kept += character;
      bytes += size;
    }
    lineBox.value = kept;
  });
}
