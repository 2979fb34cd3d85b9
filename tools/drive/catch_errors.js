// Where the engine has no console log of its own to read (WebKit's driver), the page's errors are
// caught from the moment this runs, after the page has loaded (window.townwrightErrors).
function catchErrors() {
  if (window.townwrightErrors) return;
  window.townwrightErrors = [];
  const note = (text) => window.townwrightErrors.push(String(text));
  addEventListener('error', (event) => {
    note(event.message || `${event.target.src || event.target.href}: not loaded`);
  }, true);
  addEventListener('unhandledrejection', (event) => note(event.reason));
  document.addEventListener('securitypolicyviolation',
                            (event) => note(`blocked ${event.blockedURI}`));
  const error = console.error;
  console.error = (...parts) => {
    note(parts.join(' '));
    error.apply(console, parts);
  };
}
